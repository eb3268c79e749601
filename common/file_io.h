// File access with UTF-8 paths. On Windows every call goes through the wide CRT
// functions, so folders with accents work whatever the ANSI code page is.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vaultrine {

struct FileCloser {
  void operator()(std::FILE* f) const noexcept { if (f) std::fclose(f); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// fopen with a UTF-8 path; mode as for fopen ("rb", "wb", "ab"...).
UniqueFile OpenFile(const std::string& utf8_path, const char* mode);

bool FileReadable(const std::string& utf8_path);
// Whether anything (a file or a folder) goes by that name, readable or not: a file
// that another program holds shut is still there.
bool PathExists(const std::string& utf8_path);
// Whether both names lead to the same existing file or folder ("." and its full path).
bool SamePlace(const std::string& a, const std::string& b);
bool RemoveFile(const std::string& utf8_path);
// Fails when `to` already exists, on every platform (the Windows rule).
bool RenameFile(const std::string& from, const std::string& to);

// Modification time in seconds since 1970-01-01 UTC; nullopt when the file cannot be examined.
std::optional<int64_t> FileModificationTime(const std::string& utf8_path);
// Sets both access and modification time.
bool SetFileTimes(const std::string& utf8_path, int64_t seconds_since_1970);

// Pushes everything written so far to the disk (fflush, then fsync/_commit), so a
// file about to replace another is complete before its name changes.
bool SyncFile(std::FILE* f);

// Cuts an open file back to its first `size` bytes (a record that did not fit).
bool TruncateOpenFile(std::FILE* f, int64_t size);

// Puts `new_file` in the place of `target` in one step and keeps the previous
// target under `backup` (an older backup is discarded). The name `target` never
// stops existing while it happens: on failure the previous target is still there.
// When `target` does not exist yet, `new_file` simply takes its name and any old
// `backup` is removed, since there is no previous version to keep.
bool ReplaceFileKeepingBackup(const std::string& new_file, const std::string& target,
                              const std::string& backup);

// Moves `new_file` over `target` in one step: the name `target` holds either the
// previous file or the new one, never nothing and never a part.
bool MoveFileOver(const std::string& new_file, const std::string& target);

// Writes `bytes` to `target` through a temporary beside it (target + ".tmp") that
// replaces it once whole and on the disk; on any failure the previous file stays as
// it was and the temporary is removed.
bool WriteFileReplacing(const std::string& target, std::string_view bytes);

// Creates `utf8_path` for writing only when no file of that name exists yet.
UniqueFile CreateNewFile(const std::string& utf8_path);

enum class ForcedRemoval { kRemoved, kMissing, kFailed };
// Clears a read-only attribute first, then removes the file.
ForcedRemoval ForceRemoveFile(const std::string& utf8_path);

// Separator between a folder and a name in the paths the suite builds itself.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Whole file as bytes; nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& utf8_path);
// At most the first `max_bytes` of a file; nullopt when it cannot be read.
std::optional<std::string> ReadFileStart(const std::string& utf8_path, size_t max_bytes);

}  // namespace vaultrine
