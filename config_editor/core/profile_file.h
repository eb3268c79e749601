// Profile files: the "[section]" and "key=value" text form of the editor's internal
// file. The editor's pages read and change it one key at a time.
//
// Read this first:
// - Lines end with LF; one CR before it is dropped. Lines are written back with CR LF.
//   Everything else is bytes: UTF-8 (or anything) passes through untouched, NUL included.
// - "[name]" opens a section, blanks before it allowed; the name runs to the first
//   "]" and loses surrounding blanks. A key line is "key=value"; the key runs to the
//   first "=" and loses surrounding blanks. Section and key names compare without
//   regard to ASCII case; the first section or key of a name wins, as with Windows.
// - Blanks are what Windows trims: space, tab, CR, LF, VT, FF and Ctrl-Z.
// - Reading gives the value without surrounding blanks and without one pair of
//   enclosing quotes (double or single); the default when the section or key is
//   missing (a line without "=" is no key).
// - Writing replaces the value where the key stands, adds a missing key at the end of
//   its section (before the blank lines that close it), and adds a missing section
//   at the end of the file, after a blank line. No value deletes the key.
// - Changes stay in memory until Flush; the one-shot functions at the end flush at
//   once, like the Windows functions they stand in for.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vaultrine::config {

class ProfileFile {
 public:
  // Capacity that keeps a value whole; other capacities count the terminating NUL
  // of a C buffer, so at most capacity - 1 bytes come back.
  static constexpr size_t kWhole = 0;

  // Reads the file if it exists; a missing file is an empty profile. A file that is
  // there but cannot be read (held shut by another program, a read error) is not
  // empty: readable() is false, and Flush refuses to write over what it never saw.
  explicit ProfileFile(std::string path);
  // A profile of `bytes` already read from `path`.
  ProfileFile(std::string path, const std::string& bytes);

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view default_value, size_t capacity = kWhole) const;
  // The value exactly as it stands after the "=", blanks and quotes included;
  // nullopt when the section or key is missing. For values whose bytes are the
  // point (a key that other programs read from the raw line).
  std::optional<std::string> ReadStored(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;

  // nullopt deletes the key. Refuses names or values that would break the line form
  // (a line feed anywhere, "=" in a key or "[" at its start, "]" in a section name).
  bool Write(std::string_view section, std::string_view key,
             std::optional<std::string_view> value);

  // Writes the file if anything changed since it was read or last flushed.
  bool Flush();

  const std::string& path() const { return path_; }
  bool readable() const { return readable_; }

 private:
  struct Section {
    std::string header;              // the line as it stands, "[name]"
    std::vector<std::string> lines;  // the lines after the header
    std::unordered_map<std::string, size_t> keys;  // lower-case key -> first line
  };

  void Parse(const std::string& bytes);
  void IndexKeys(Section& s);
  const Section* FindSection(std::string_view section) const;

  std::string path_;
  std::string mark_;                  // a leading UTF-8 byte-order mark, kept as found
  std::vector<std::string> preamble_; // lines before the first section
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> section_index_;
  bool dirty_ = false;
  bool readable_ = true;
};

// One-shot forms for callers that touch a single key.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view default_value,
                              size_t capacity = ProfileFile::kWhole);
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value);

}  // namespace vaultrine::config
