#include "file_io.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <sys/utime.h>
#include <wchar.h>
#include <windows.h>
#include "text_encoding.h"
#else
#include <fcntl.h>
#include <unistd.h>
#include <utime.h>
#endif

namespace vaultrine {

#ifdef _WIN32
namespace {
std::wstring Wide(const std::string& s) {
  std::u16string u = Utf8ToUtf16(s);
  return std::wstring(u.begin(), u.end());
}
}  // namespace

UniqueFile OpenFile(const std::string& path, const char* mode) {
  std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
  return UniqueFile(_wfopen(Wide(path).c_str(), wmode.c_str()));
}
bool RemoveFile(const std::string& path) { return _wremove(Wide(path).c_str()) == 0; }
UniqueFile CreateNewFile(const std::string& path) {
  const int fd = _wopen(Wide(path).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* f = _fdopen(fd, "wb");
  if (!f) _close(fd);
  return UniqueFile(f);
}
ForcedRemoval ForceRemoveFile(const std::string& path) {
  const std::wstring w = Wide(path);
  _wchmod(w.c_str(), _S_IREAD | _S_IWRITE);
  if (_wremove(w.c_str()) == 0) return ForcedRemoval::kRemoved;
  return errno == ENOENT ? ForcedRemoval::kMissing : ForcedRemoval::kFailed;
}
bool RenameFile(const std::string& from, const std::string& to) {
  return _wrename(Wide(from).c_str(), Wide(to).c_str()) == 0;
}
std::optional<int64_t> FileModificationTime(const std::string& path) {
  struct _stat64 st;
  if (_wstat64(Wide(path).c_str(), &st) != 0) return std::nullopt;
  return static_cast<int64_t>(st.st_mtime);
}
bool SetFileTimes(const std::string& path, int64_t t) {
  struct __utimbuf64 times;
  times.actime = t;
  times.modtime = t;
  return _wutime64(Wide(path).c_str(), &times) == 0;
}
bool SyncFile(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
  return _commit(_fileno(f)) == 0;
}
bool PathExists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
bool TruncateOpenFile(std::FILE* f, int64_t size) {
  std::fflush(f);
  return _chsize_s(_fileno(f), size) == 0 && _fseeki64(f, size, SEEK_SET) == 0;
}
bool MoveFileOver(const std::string& new_file, const std::string& target) {
  return MoveFileExW(Wide(new_file).c_str(), Wide(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
bool ReplaceFileKeepingBackup(const std::string& new_file, const std::string& target,
                              const std::string& backup) {
  const std::wstring wnew = Wide(new_file), wtarget = Wide(target), wbackup = Wide(backup);
  DeleteFileW(wbackup.c_str());
  if (GetFileAttributesW(wtarget.c_str()) == INVALID_FILE_ATTRIBUTES)
    return MoveFileExW(wnew.c_str(), wtarget.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  if (ReplaceFileW(wtarget.c_str(), wnew.c_str(), wbackup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                   nullptr, nullptr))
    return true;
  const DWORD error = GetLastError();
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    // The previous file already went to the backup name; give it its name back.
    MoveFileExW(wbackup.c_str(), wtarget.c_str(), MOVEFILE_WRITE_THROUGH);
    return false;
  }
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_REMOVE_REPLACED)
    return false;
  // Volumes that cannot replace (some network shares): keep a copy, then one
  // replacing move, which never leaves the name empty either.
  if (!CopyFileW(wtarget.c_str(), wbackup.c_str(), FALSE)) return false;
  return MoveFileExW(wnew.c_str(), wtarget.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
UniqueFile OpenFile(const std::string& path, const char* mode) {
  return UniqueFile(std::fopen(path.c_str(), mode));
}
bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }
UniqueFile CreateNewFile(const std::string& path) {
  const int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0666);
  if (fd < 0) return nullptr;
  std::FILE* f = fdopen(fd, "wb");
  if (!f) close(fd);
  return UniqueFile(f);
}
ForcedRemoval ForceRemoveFile(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) chmod(path.c_str(), (st.st_mode & 07777) | S_IRUSR | S_IWUSR);
  if (std::remove(path.c_str()) == 0) return ForcedRemoval::kRemoved;
  return errno == ENOENT ? ForcedRemoval::kMissing : ForcedRemoval::kFailed;
}
bool RenameFile(const std::string& from, const std::string& to) {
  // Windows refuses to rename onto an existing file; keep that rule everywhere.
  struct stat st;
  if (stat(to.c_str(), &st) == 0) return false;
  return std::rename(from.c_str(), to.c_str()) == 0;
}
std::optional<int64_t> FileModificationTime(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<int64_t>(st.st_mtime);
}
bool SetFileTimes(const std::string& path, int64_t t) {
  struct utimbuf times;
  times.actime = static_cast<time_t>(t);
  times.modtime = static_cast<time_t>(t);
  return utime(path.c_str(), &times) == 0;
}
bool SyncFile(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
  return fsync(fileno(f)) == 0;
}
bool PathExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}
bool TruncateOpenFile(std::FILE* f, int64_t size) {
  std::fflush(f);
  return ftruncate(fileno(f), static_cast<off_t>(size)) == 0 && fseeko(f, static_cast<off_t>(size), SEEK_SET) == 0;
}
namespace {
bool CopyBytes(const std::string& from, const std::string& to) {
  UniqueFile in(std::fopen(from.c_str(), "rb"));
  if (!in) return false;
  UniqueFile out(std::fopen(to.c_str(), "wb"));
  if (!out) return false;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, in.get())) > 0)
    if (std::fwrite(buf, 1, n, out.get()) != n) return false;
  return !std::ferror(in.get()) && SyncFile(out.get());
}
void SyncFolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = open(folder.c_str(), O_RDONLY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}
}  // namespace
bool MoveFileOver(const std::string& new_file, const std::string& target) {
  if (std::rename(new_file.c_str(), target.c_str()) != 0) return false;
  SyncFolderOf(target);
  return true;
}
bool ReplaceFileKeepingBackup(const std::string& new_file, const std::string& target,
                              const std::string& backup) {
  std::remove(backup.c_str());
  struct stat st;
  if (stat(target.c_str(), &st) == 0) {
    // A second name for the previous file first, so the rename below can swap the
    // target in one step; a copy where the file system has no hard links.
    if (link(target.c_str(), backup.c_str()) != 0 && !CopyBytes(target, backup)) return false;
  }
  if (std::rename(new_file.c_str(), target.c_str()) != 0) return false;
  SyncFolderOf(target);
  return true;
}
#endif

bool FileReadable(const std::string& path) { return OpenFile(path, "rb") != nullptr; }

bool WriteFileReplacing(const std::string& target, std::string_view bytes) {
  const std::string temporary = target + ".tmp";
  bool ok = false;
  {
    UniqueFile f = OpenFile(temporary, "wb");
    if (!f) return false;
    ok = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() && SyncFile(f.get());
    ok = std::fclose(f.release()) == 0 && ok;
  }
  ok = ok && MoveFileOver(temporary, target);
  if (!ok) RemoveFile(temporary);
  return ok;
}

std::optional<std::string> ReadFileStart(const std::string& path, size_t max_bytes) {
  UniqueFile f = OpenFile(path, "rb");
  if (!f) return std::nullopt;
  std::string out(max_bytes, '\0');
  const size_t n = std::fread(out.data(), 1, max_bytes, f.get());
  if (std::ferror(f.get())) return std::nullopt;
  out.resize(n);
  return out;
}

bool SamePlace(const std::string& a, const std::string& b) {
#ifdef _WIN32
  const std::filesystem::path pa(Wide(a)), pb(Wide(b));
#else
  const std::filesystem::path pa(a), pb(b);
#endif
  std::error_code error;
  return std::filesystem::equivalent(pa, pb, error) && !error;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  UniqueFile f = OpenFile(path, "rb");
  if (!f) return std::nullopt;
  std::string out;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) out.append(buf, n);
  if (std::ferror(f.get())) return std::nullopt;
  return out;
}

}  // namespace vaultrine
