#include "file_io.h"

#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <sys/utime.h>
#include <wchar.h>
#include "text_encoding.h"
#else
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
#else
UniqueFile OpenFile(const std::string& path, const char* mode) {
  return UniqueFile(std::fopen(path.c_str(), mode));
}
bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }
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
#endif

bool FileReadable(const std::string& path) { return OpenFile(path, "rb") != nullptr; }

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
