// The restore library's rules that need no window: what the request dialog takes
// from the settings file, the request file it writes for the engine, the lines of
// the restored-files list, and the error the engine gives when no request was made.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vaultrine::restore {

inline constexpr const char* kRequestFileName = ".\\DecryptList.txt";
inline constexpr const char* kRestoredListName = ".\\Revivalis_FileList.txt";
inline constexpr const char* kDefaultRestoreFolder = "D:\\000_Revivalis";
// Bytes of the key: as many as the editor stores. The backup was made with the whole
// key, so a restore with only its start would fail to decrypt.
inline constexpr size_t kKeyMax = 511;
inline constexpr size_t kRequestPathMax = 255;  // bytes of a folder or entry in the request
inline constexpr size_t kVolumeNameMax = 64;
inline constexpr size_t kErrorEntryMax = 191;   // bytes of one failure-window entry
inline constexpr size_t kListLineMax = 510;     // bytes of a list line before CR LF

struct RestoreSettings {
  std::string key;          // bytes as stored
  std::string destination;  // the backup's folder, quotes removed
  std::string volume;       // the volume it must be on; empty: any
  std::string restore_folder;
  bool destination_found = false;
  bool restore_found = false;
};

// Reads the settings file's text (its bytes, after a leading byte-order mark; lines
// beginning with "#" do not count): the key from the first "cryptkey=" line, the
// destination from the line after "[destination]" wherever the key line stands, the
// restore folder from the line after "[restore]". Lines are taken whole, however long.
RestoreSettings ScanRestoreSettings(std::string_view text);

// ".\DecryptList.txt": mark, "key=", "destination=", then one entry per line, CR LF.
// The key goes as the bytes given (stored bytes stay stored bytes).
std::string RequestFileBytes(std::string_view key, std::string_view restore_folder,
                             const std::vector<std::string>& entries);

// Creates `path` (never over an existing file) with `bytes`. False when the file
// could not be made whole; then nothing of ours is left, since half a request
// would restore the wrong files.
bool WriteRequestFile(const std::string& path, std::string_view bytes);

// Whether a folder or file may go into the request as it is.
inline bool FitsRequest(std::string_view utf8_path) { return utf8_path.size() <= kRequestPathMax; }

// The four kinds the engine reports, in the order of the success window's counters.
inline constexpr std::array<const char*, 4> kKinds = {"Standard  ", "Compressed", "Crypted   ", "CompCrypt "};
// Index of the kind in kKinds, or -1 for a kind counted nowhere.
int KindIndex(std::string_view kind);

// "<kind>:    <name>" with every "/" as "\", at most 510 bytes, then CR LF.
std::string RestoredListLine(std::string_view kind, std::string_view name_utf8);

// The engine's error when the request file is missing: the user asked for nothing.
// The file's name counts in any letter case.
bool IsMissingRequestError(std::string_view line);

}  // namespace vaultrine::restore
