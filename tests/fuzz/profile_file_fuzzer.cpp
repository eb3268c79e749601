// The profile file under a sequence of reads and writes taken from the input. The
// input is the initial file, a 0xFF byte, then operations separated by 0xFD, each
// of up to four fields separated by 0xFE: verb byte, section, key, value. What must hold, beside the
// sanitizers:
// - a write that is accepted reads back at once as the value (less its blanks and
//   one pair of quotes), and again after a flush and a fresh read of the file;
// - a key deleted as many times as the file holds it is gone;
// - a write or a deletion changes no other key that was read before it;
// - after a flush the file reads back to the same values for every key touched.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/file_io.h"
#include "config_editor/core/profile_file.h"

using namespace vaultrine;
using namespace vaultrine::config;

namespace {

std::string g_path;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void RemoveFolder() {
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::path(g_path).parent_path(), ec);
}

// Blanks as Windows trims them: C white space and Ctrl-Z.
bool Blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

// What a read gives for a written value: blanks gone, one pair of quotes gone.
std::string AsRead(std::string_view v) {
  while (!v.empty() && Blank(v.front())) v.remove_prefix(1);
  while (!v.empty() && Blank(v.back())) v.remove_suffix(1);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

// How names compare: blanks around them dropped, ASCII case ignored.
std::string Name(std::string_view v) {
  while (!v.empty() && Blank(v.front())) v.remove_prefix(1);
  while (!v.empty() && Blank(v.back())) v.remove_suffix(1);
  std::string out(v);
  for (char& ch : out)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return out;
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
  std::vector<std::string_view> out;
  size_t start = 0;
  for (;;) {
    const size_t end = s.find(sep, start);
    out.push_back(s.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return out;
    start = end + 1;
  }
}

constexpr std::string_view kMissing = "\x01missing\x01";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (g_path.empty()) {
    char shm[] = "/dev/shm/vaultrine-profile-fuzz-XXXXXX";
    char tmp[] = "/tmp/vaultrine-profile-fuzz-XXXXXX";
    const char* dir = mkdtemp(shm);
    if (!dir) dir = mkdtemp(tmp);
    if (!dir) std::abort();
    g_path = std::string(dir) + "/internal.tmp";
    std::atexit(RemoveFolder);
  }
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\xFF');
  {
    UniqueFile f = OpenFile(g_path, "wb");
    const std::string_view initial = input.substr(0, split);
    std::fwrite(initial.data(), 1, initial.size(), f.get());
  }
  ProfileFile file(g_path);
  // Keys read or written so far, with what they read as now.
  std::map<std::pair<std::string, std::string>, std::string> known;
  auto read = [&file](const std::string& s, const std::string& k) { return file.Read(s, k, kMissing); };

  if (split != std::string_view::npos) {
    int operations = 0;
    for (std::string_view op : Split(input.substr(split + 1), '\xFD')) {
      if (++operations > 64) break;
      const std::vector<std::string_view> f = Split(op, '\xFE');
      if (f.size() < 3 || f[0].empty()) continue;
      const std::string section(f[1]), key(f[2]);
      const uint8_t verb = static_cast<uint8_t>(f[0][0]) % 4;
      if (verb == 0) {  // read with a capacity
        const size_t capacity = static_cast<uint8_t>(f[0].size() > 1 ? f[0][1] : 0);
        const std::string whole = read(section, key);
        const std::string cut = file.Read(section, key, kMissing, capacity);
        if (capacity != ProfileFile::kWhole) Check(cut.size() < capacity && whole.compare(0, cut.size(), cut) == 0);
        known[{section, key}] = whole;
        continue;
      }
      std::optional<std::string_view> value;
      if (verb != 3) value = f.size() > 3 ? f[3] : std::string_view();
      // Everything else known must stay as it was; the written key itself, and any
      // other spelling of it, may change.
      const bool accepted = file.Write(section, key, value);
      if (accepted && value) Check(read(section, key) == AsRead(*value));
      if (accepted && !value) {
        // A deletion removes the first line of the key, as Windows does; a key held
        // twice shows its second value next. Deleting as often as it is held ends it.
        for (int guard = 0; read(section, key) != kMissing; ++guard) {
          Check(guard < 4096);
          Check(file.Write(section, key, std::nullopt));
        }
      }
      for (auto& [names, before] : known) {
        const std::string after = read(names.first, names.second);
        if (after != before) {
          // Only the same section and key, spelt in another case or with blanks, may change.
          Check(accepted && Name(names.first) == Name(section) && Name(names.second) == Name(key));
          before = after;
        }
      }
      known[{section, key}] = read(section, key);
      if (verb == 2) Check(file.Flush());
    }
  }
  Check(file.Flush());
  const ProfileFile again(g_path);
  for (const auto& [names, value] : known) Check(again.Read(names.first, names.second, kMissing) == value);
  return 0;
}
