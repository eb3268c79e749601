// The details archive: the file list compressed into a gzip file whose header records
// the list's own name, named after the computer and the time, and filed in the
// summary folder that the parameter file names.
// Portable: boxes go through MessageSink; the computer name and the clock are inputs.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/message_sink.h"

namespace vaultrine::backup {

inline constexpr size_t kCompressChunk = 15360;
inline constexpr size_t kHeaderNameMax = 78;
inline constexpr size_t kSummaryScanBytes = 8192;
// Archives one minute can hold under distinct names (the first plus numbered ones).
inline constexpr int kArchivesPerMinute = 999;

// The part after the last "\" (or "/"); the whole text when it has none.
std::string_view BaseName(std::string_view path);

// The name the archive's header records: the base name of `source_name`, cut to 78
// bytes without splitting a character.
std::string HeaderName(std::string_view source_name);
// The archive's header: only FNAME set (1F 8B 08 08), no time, no extra flags, OS 0B,
// then HeaderName(source_name) and a zero.
std::string GzipHeader(std::string_view source_name);

// Compresses `path` into path + ".gz" in one pass, the header naming `path`, then
// puts it under `path` less its last four characters and shortens `path` the same
// way. 0 on success; -1 to -6 after a box with caption "ERROR GZ_Compress()", and
// then no archive is left and `path` keeps its name.
int16_t GzCompress(std::string& path, MessageSink& boxes);

// Value of the first "summary=" within the first 8192 bytes of the parameter file,
// up to CR, LF or a zero byte; empty when there is none or the file cannot be read.
std::string ReadSummaryFolder(const std::string& parameter_path);
// The same rule on bytes already read (at most the first 8192 count).
std::string SummaryFolderFromText(std::string_view bytes);

struct LocalTime {
  int year = 0;  // e.g. 2026
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
};

// <computer>_DD-MM-YY_HH-MM_Details.gz; from the second archive of the same minute
// on (`sequence` 2, 3...), <computer>_DD-MM-YY_HH-MM_<sequence>_Details.gz.
std::string ArchiveName(std::string_view computer, const LocalTime& time, int sequence = 1);

struct FinishRunInput {
  std::optional<std::string> computer_name;  // UTF-8; none when the system gave none
  LocalTime now;
  std::string task_text;       // less its last two characters: the parameter file
  std::string current_folder;  // for the message that says where a kept archive lies
  std::string caption;         // of the success window
};

enum class FinishOutcome {
  kNoComputerName,  // nothing done
  kNoFileList,      // nothing done
  kKeptHere,        // no summary folder: the archive stays in the current folder
  kFiled,           // copied into the summary folder, local archive removed
  kNotFiled,        // not named or not copied: what was made is kept here and the user told
};

struct FinishResult {
  FinishOutcome outcome = FinishOutcome::kNoComputerName;
  std::string archive_name;
  std::string destination;
};

// The end-of-run steps behind the success window's OK. `list_name` is the file
// list's name text, shortened in place by the compression. The archive never takes
// the name of a file already here or in the summary folder: a second archive in the
// same minute gets the next number.
FinishResult FinishRun(std::string& list_name, const FinishRunInput& input, MessageSink& boxes);

}  // namespace vaultrine::backup
