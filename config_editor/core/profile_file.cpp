#include "config_editor/core/profile_file.h"

#include <utility>

#include "common/file_io.h"
#include "common/text_encoding.h"

namespace vaultrine::config {

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";

// What Windows trims around names and values: the C white space and the
// end-of-file mark Ctrl-Z.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// The section name of a header line, or nullopt for any other line. Blanks before
// the "[" do not matter: Windows takes " [x]" for a header too.
std::optional<std::string_view> HeaderName(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// The key of a key line, or nullopt.
std::optional<std::string_view> KeyName(std::string_view line) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  std::string_view key = Trim(line.substr(0, eq));
  if (key.empty()) return std::nullopt;
  return key;
}

bool IsBlankLine(std::string_view line) { return Trim(line).empty(); }

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
  if (auto bytes = ReadWholeFile(path_))
    Parse(*bytes);
  else
    readable_ = !PathExists(path_);
}

ProfileFile::ProfileFile(std::string path, const std::string& bytes) : path_(std::move(path)) { Parse(bytes); }

void ProfileFile::Parse(const std::string& bytes) {
  std::string_view rest = bytes;
  if (rest.substr(0, kMark.size()) == kMark) {
    mark_ = std::string(kMark);
    rest.remove_prefix(kMark.size());
  }
  while (!rest.empty()) {
    size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (auto name = HeaderName(line)) {
      sections_.push_back(Section{std::string(line), {}, {}});
      section_index_.emplace(Lower(*name), sections_.size() - 1);
    } else if (sections_.empty()) {
      preamble_.emplace_back(line);
    } else {
      Section& s = sections_.back();
      s.lines.emplace_back(line);
      if (auto key = KeyName(line)) s.keys.emplace(Lower(*key), s.lines.size() - 1);
    }
  }
}

void ProfileFile::IndexKeys(Section& s) {
  s.keys.clear();
  for (size_t i = 0; i < s.lines.size(); ++i)
    if (auto key = KeyName(s.lines[i])) s.keys.emplace(Lower(*key), i);
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view section) const {
  auto it = section_index_.find(Lower(Trim(section)));
  return it == section_index_.end() ? nullptr : &sections_[it->second];
}

bool ProfileFile::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

std::optional<std::string> ProfileFile::ReadStored(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  auto it = s->keys.find(Lower(Trim(key)));
  if (it == s->keys.end()) return std::nullopt;
  const std::string& line = s->lines[it->second];
  return line.substr(line.find('=') + 1);
}

std::string ProfileFile::Read(std::string_view section, std::string_view key,
                              std::string_view default_value, size_t capacity) const {
  std::string value(default_value);
  if (std::optional<std::string> stored = ReadStored(section, key)) {
    std::string_view v = Trim(*stored);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
      v = v.substr(1, v.size() - 2);
    value.assign(v);
  }
  if (capacity != kWhole) CutUtf8(value, capacity - 1);
  return value;
}

bool ProfileFile::Write(std::string_view section, std::string_view key,
                        std::optional<std::string_view> value) {
  const std::string_view name = Trim(section);
  const std::string_view key_name = Trim(key);
  if (name.empty() || key_name.empty() || name.find_first_of("]\n") != std::string_view::npos ||
      key_name.find_first_of("=\n") != std::string_view::npos || key_name.front() == '[' ||
      (value && value->find('\n') != std::string_view::npos))
    return false;

  const std::string lower_name = Lower(name);
  auto sit = section_index_.find(lower_name);
  if (sit == section_index_.end()) {
    if (!value) return true;  // nothing to delete
    // A blank line before a new section, so that a section always ends at one.
    Section* last = sections_.empty() ? nullptr : &sections_.back();
    std::vector<std::string>& tail = last ? last->lines : preamble_;
    const bool ends_blank = tail.empty() ? (last == nullptr) : IsBlankLine(tail.back());
    if (!ends_blank) tail.emplace_back();
    sections_.push_back(Section{"[" + std::string(name) + "]", {}, {}});
    sit = section_index_.emplace(lower_name, sections_.size() - 1).first;
  }
  Section& s = sections_[sit->second];
  const std::string lower_key = Lower(key_name);
  auto kit = s.keys.find(lower_key);
  if (!value) {
    if (kit == s.keys.end()) return true;
    s.lines.erase(s.lines.begin() + static_cast<std::ptrdiff_t>(kit->second));
    IndexKeys(s);
    dirty_ = true;
    return true;
  }
  if (kit != s.keys.end()) {
    std::string& line = s.lines[kit->second];
    line = line.substr(0, line.find('=') + 1) + std::string(*value);
  } else {
    size_t at = s.lines.size();
    while (at > 0 && IsBlankLine(s.lines[at - 1])) --at;
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at),
                   std::string(key_name) + "=" + std::string(*value));
    s.keys.emplace(lower_key, at);  // only blank lines moved, and they hold no keys
  }
  dirty_ = true;
  return true;
}

bool ProfileFile::Flush() {
  if (!readable_) return false;
  if (!dirty_) return true;
  std::string bytes = mark_;
  auto put = [&bytes](const std::string& line) {
    bytes += line;
    bytes += "\r\n";
  };
  for (const std::string& line : preamble_) put(line);
  for (const Section& s : sections_) {
    put(s.header);
    for (const std::string& line : s.lines) put(line);
  }
  UniqueFile f = OpenFile(path_, "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
  if (std::fclose(f.release()) != 0 || !written) return false;
  dirty_ = false;
  return true;
}

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view default_value,
                              size_t capacity) {
  return ProfileFile(path).Read(section, key, default_value, capacity);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value) {
  ProfileFile file(path);
  return file.Write(section, key, value) && file.Flush();
}

}  // namespace vaultrine::config
