// Our profile file against the system's own GetPrivateProfileStringA and
// WritePrivateProfileStringA, run on the same generated files and the same
// operations. Under Wine this is an independent implementation of the same
// functions, so every disagreement is either a fault of ours or a difference we
// chose; the chosen ones are listed in Agree() and beside the byte comparison.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/text_encoding.h"
#include "config_editor/core/parameter_file.h"
#include "config_editor/core/profile_file.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::config {
namespace {

using uitest::ReadFileBytes;
using uitest::ScratchFolder;
using uitest::WriteFileBytes;

constexpr char kDefault[] = "*****";

// Names and values the editor's internal file holds, and the awkward spellings
// that a hand-edited file may hold.
const std::vector<std::string> kSections = {"general", "include", "destination", "exclude",
                                            "md5_compare", "old_versions", "Include", "GENERAL",
                                            "new_one", "s p"};
const std::vector<std::string> kKeys = {"000", "001", "002", "099", "999", "ov_obsolete",
                                        "obsolete", "cryptkey", "OV_Obsolete", "Database",
                                        "a b", "new"};
const std::vector<std::string> kValues = {
    "", "x", "1", "90d", "\"C:\\Users\\\"", "#\"D:\\Photos\\\"", "yes => (path=\"*.tmp\")",
    "'single'", "\"unbalanced", "'mixed\"", "a=b=c", "*****", "\"\"", "\"", "'",
    "\"E:\\Vaultrine\" ,name=DISQUE1 , search", "caf\xE9", "semi;colon", "  padded  ",
    "tab\there", "#", ";not a comment", "donn\xC3\xA9" "es", "v\x0B", "\x0C" "ff", "ctrl-z\x1A",
    "\t\"tabbed\"\t", "cr\rinside"};

template <typename T>
const T& Pick(std::mt19937& rng, const std::vector<T>& from) {
  return from[rng() % from.size()];
}

// A hand-edited profile file: headers, keys with and without blanks around "=",
// comments, blank lines, lines without "=", duplicates; CR LF or LF throughout.
std::string GenerateFile(std::mt19937& rng) {
  const char* eol = rng() % 4 == 0 ? "\n" : "\r\n";
  std::string out = rng() % 8 == 0 ? "\xEF\xBB\xBF" : "";
  const int lines = 3 + static_cast<int>(rng() % 18);
  for (int i = 0; i < lines; ++i) {
    switch (rng() % 15) {
      case 0:
      case 1:
        out += "[" + Pick(rng, kSections) + "]";
        break;
      case 2:
        out += "";
        break;
      case 3:
        out += rng() % 2 ? "; comment" : "# comment";
        break;
      case 4:
        out += Pick(rng, kKeys) + " = " + Pick(rng, kValues);
        break;
      case 5:
        out += "no equals sign";
        break;
      case 6:
        out += rng() % 2 ? " [" + Pick(rng, kSections) + "]" : "[ " + Pick(rng, kSections) + " ]";
        break;
      case 7:
        out += "  " + Pick(rng, kKeys) + "\t=" + Pick(rng, kValues) + " ";
        break;
      case 8:
        out += "\t[" + Pick(rng, kSections) + "]\t";
        break;
      default:
        out += Pick(rng, kKeys) + "=" + Pick(rng, kValues);
        break;
    }
    out += eol;
  }
  return out;
}

std::string SystemRead(const std::string& path, const std::string& section, const std::string& key,
                       DWORD capacity) {
  std::vector<char> buffer(capacity + 1, '\x7f');
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kDefault, buffer.data(),
                                           capacity, path.c_str());
  return std::string(buffer.data(), n);
}

bool SystemWrite(const std::string& path, const std::string& section, const std::string& key,
                 const std::optional<std::string>& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value ? value->c_str() : nullptr,
                                    path.c_str()) != 0;
}

void SystemFlush(const std::string& path) {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

// Every section and key of the vocabulary, read with the capacity the editor uses
// (512) and small ones that cut, one of them inside "é" of "données".
struct Query {
  std::string section, key;
  DWORD capacity;
};

std::vector<Query> AllQueries() {
  std::vector<Query> queries;
  for (const std::string& s : kSections)
    for (const std::string& k : kKeys)
      for (DWORD capacity : {512u, 6u, 1u}) queries.push_back({s, k, capacity});
  return queries;
}

struct Mismatches {
  int count = 0;
  int compared = 0;
  int found = 0;  // reads that gave a value rather than the default
  std::string first;
  void Add(const std::string& what) {
    if (++count <= 12) first += what + "\n";
  }
};

std::string Printable(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c < 0x20 || c >= 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// Where our reading differs from the system's on purpose:
// - We never cut a UTF-8 sequence in two: a capacity that ends inside "é" gives one
//   byte less than the system, which cuts bytes blindly.
// - We treat the file as bytes, always. The system reads a file that starts with a
//   UTF-8 byte-order mark as UTF-8 and hands the A functions the text in the ANSI
//   code page ("données" comes back as cp1252 "donn\xE9es", stray bytes as "?"),
//   while what went in through its own A functions comes back as it went in. The
//   editor's internal file never carries the mark, and it holds UTF-8.
// - A CR alone inside a line ends the line for the system; for us only LF does, so
//   an entry holding such a CR goes through the internal file whole instead of
//   losing what follows the CR. The system gives the part before the CR.
bool Agree(const ProfileFile& ours, const Query& q, bool marked, const std::string& system_whole,
           const std::string& system) {
  const std::string got = ours.Read(q.section, q.key, kDefault, q.capacity);
  std::string expected = system_whole;
  CutUtf8(expected, q.capacity - 1);
  if (got == expected) return true;
  const std::string whole = ours.Read(q.section, q.key, kDefault);
  if (const size_t cr = whole.find('\r'); cr != std::string::npos) {
    std::string before = whole.substr(0, cr);
    while (!before.empty() && (before.back() == ' ' || before.back() == '\t')) before.pop_back();
    CutUtf8(before, q.capacity - 1);
    if (before == system) return true;
  }
  if (!marked) return false;
  std::string ansi = Utf8ToCp1252(ours.Read(q.section, q.key, kDefault));
  if (ansi.size() > q.capacity - 1) ansi.resize(q.capacity - 1);
  return ansi == system;
}

void CompareReads(const std::string& ours_path, const std::string& system_path,
                  const std::string& context, Mismatches& m) {
  const ProfileFile ours(ours_path);
  const bool marked = ReadFileBytes(system_path).compare(0, 3, "\xEF\xBB\xBF") == 0;
  for (const Query& q : AllQueries()) {
    const std::string want = SystemRead(system_path, q.section, q.key, q.capacity);
    const std::string whole = SystemRead(system_path, q.section, q.key, 4096);
    const std::string got = ours.Read(q.section, q.key, kDefault, q.capacity);
    ++m.compared;
    if (want != kDefault && q.capacity > 6) ++m.found;
    if (!Agree(ours, q, marked, whole, want)) {
      m.Add(context + " [" + q.section + "] " + q.key + " cap " + std::to_string(q.capacity) +
            ": ours \"" + Printable(got) + "\", system \"" + Printable(want) + "\"");
    }
  }
}

TEST(ProfileOracle, ReadsAgreeWithTheSystemOnGeneratedFiles) {
  ScratchFolder folder;
  Mismatches m;
  for (unsigned seed = 1; seed <= 100; ++seed) {
    std::mt19937 rng(seed);
    const std::string bytes = GenerateFile(rng);
    // A fresh name per file: the system caches profile files by name and time.
    const std::string path = folder.File("read" + std::to_string(seed) + ".ini");
    WriteFileBytes(path, bytes);
    CompareReads(path, path, "file " + std::to_string(seed) + " \"" + Printable(bytes) + "\"", m);
  }
  EXPECT_EQ(m.count, 0) << m.first;
  // The files must hold what the queries ask for, or agreeing on defaults proves nothing.
  EXPECT_GT(m.found * 100, m.compared) << m.found << " values among " << m.compared << " reads";
}

struct Operation {
  std::string section, key;
  std::optional<std::string> value;  // none deletes
};

std::string Describe(const std::vector<Operation>& ops) {
  std::string out;
  for (const Operation& op : ops)
    out += "[" + op.section + "] " + op.key + (op.value ? "=" + Printable(*op.value) : " deleted") + "; ";
  return out;
}

// Applies `ops` to the same file through both, then compares every read.
void CompareWrites(const ScratchFolder& folder, const std::string& name, const std::string& bytes,
                   const std::vector<Operation>& ops, Mismatches& m) {
  const std::string ours_path = folder.File("ours-" + name + ".ini");
  const std::string system_path = folder.File("system-" + name + ".ini");
  WriteFileBytes(ours_path, bytes);
  WriteFileBytes(system_path, bytes);
  ProfileFile ours(ours_path);
  for (const Operation& op : ops) {
    ASSERT_TRUE(ours.Write(op.section, op.key, op.value));
    SystemWrite(system_path, op.section, op.key, op.value);
  }
  ASSERT_TRUE(ours.Flush());
  SystemFlush(system_path);
  CompareReads(ours_path, system_path,
               name + " \"" + Printable(bytes) + "\" after " + Describe(ops), m);
}

TEST(ProfileOracle, WritesAgreeWithTheSystemOnGeneratedFiles) {
  ScratchFolder folder;
  Mismatches m;
  for (unsigned seed = 1; seed <= 100; ++seed) {
    std::mt19937 rng(1000 + seed);
    const std::string bytes = GenerateFile(rng);
    std::vector<Operation> ops(1 + rng() % 6);
    for (Operation& op : ops) {
      op.section = Pick(rng, kSections);
      op.key = Pick(rng, kKeys);
      if (rng() % 5 != 0) op.value = Pick(rng, kValues);
    }
    CompareWrites(folder, "generated" + std::to_string(seed), bytes, ops, m);
  }

  // Corners that random files reach only by luck: a key held twice, then deleted; a
  // section held twice; a last line without its end; a key before any section; keys
  // added to a section that ends in empty lines; a new section after LF lines.
  struct Corner {
    std::string bytes;
    std::vector<Operation> ops;
  };
  const Corner corners[] = {
      {"[general]\r\nov_obsolete=1\r\nOV_OBSOLETE=2\r\nobsolete=90d\r\n",
       {{"general", "ov_obsolete", std::nullopt}, {"general", "obsolete", "30d"}}},
      {"[general]\r\nk=1\r\nk=2\r\nk=3\r\n",
       {{"general", "k", std::nullopt}, {"general", "k", std::nullopt}, {"general", "k", "4"}}},
      {"[include]\r\n000=a\r\n[Include]\r\n000=b\r\n001=c\r\n",
       {{"include", "001", "d"}, {"INCLUDE", "000", std::nullopt}}},
      {"[destination]\r\n000=\"E:\\\"\r\n999=DISQUE1", {{"destination", "998", "x"}, {"new_one", "000", "y"}}},
      {"000=before any section\r\n[exclude]\r\n000=yes => (path=\"*.tmp\")\r\n\r\n\r\n",
       {{"exclude", "001", "no => (path=\"*.doc\")"}, {"include", "000", "z"}}},
      {"[general]\nobsolete=90d\n; comment\n\n[include]\n000=x\n002=y\n",
       {{"general", "summary", "\"D:\\\""}, {"restore", "000", "C:\\R"}, {"include", "001", "m"}}},
      {"", {{"general", "ov_obsolete", ""}, {"general", "ov_obsolete", std::nullopt}}},
  };
  int n = 0;
  for (const Corner& c : corners) CompareWrites(folder, "corner" + std::to_string(++n), c.bytes, c.ops, m);
  EXPECT_EQ(m.count, 0) << m.first;
  EXPECT_GT(m.found * 100, m.compared) << m.found << " values among " << m.compared << " reads";
}

// The editor's own internal file, made from both shipped templates, under what the
// pages do to it: rewrite a whole list (delete 000 to 099, write the entries again
// from 000), change general keys, set the destination. Here the two must agree to
// the byte, not only on what reads back.
TEST(ProfileOracle, TheEditorsInternalFileComesOutByteIdentical) {
  struct Edit {
    const char* section;
    const char* key;  // nullptr: rewrite the whole list with `value` entries
    const char* value;
  };
  const Edit edits[] = {
      {"general", "obsolete", "30d"},
      {"general", "cryptkey", "s\xC3\xA9same ouvre-toi"},
      {"general", "summary", "\"D:\\Journal\""},
      {"general", "new_key", "added at the end of [general]"},
      {"destination", "000", "\"F:\\Sauvegardes\""},
      {"destination", "999", "DISQUE1"},
      {"include", nullptr, "3"},
      {"exclude", nullptr, "0"},
      {"compress", nullptr, "100"},
      {"restore", "000", "C:\\Restaur\xC3\xA9"},
      {"old_versions", "005", "a key added to a list"},
  };
  for (const char* name : {"Low_Template_TSN.tsn", "High_Template_TSN.tsn"}) {
    ScratchFolder folder;
    const std::string source = uitest::BinFolder() + "\\..\\programfolder\\" + name;
    const std::string parameter = folder.File("Vaultrine.ini");
    ASSERT_TRUE(MakeWorkingCopy(source, parameter)) << source;
    RecordingSink sink;
    std::string chosen = parameter;
    ASSERT_EQ(ConvertToInternal(chosen, sink), kConverted) << name;
    const std::string internal = InternalFileName(WorkingCopyName(parameter));
    const std::string system_path = folder.File("system.tmp");
    WriteFileBytes(system_path, ReadFileBytes(internal));

    ProfileFile ours(internal);
    for (const Edit& e : edits) {
      if (e.key) {
        ASSERT_TRUE(ours.Write(e.section, e.key, std::string(e.value)));
        SystemWrite(system_path, e.section, e.key, std::string(e.value));
        continue;
      }
      for (int i = 0; i < kMaxEntries; ++i) {
        ASSERT_TRUE(ours.Write(e.section, EntryKey(i), std::nullopt));
        SystemWrite(system_path, e.section, EntryKey(i), std::nullopt);
      }
      for (int i = 0; i < std::atoi(e.value); ++i) {
        const std::string entry = "\"C:\\Dossier " + std::to_string(i) + "\\\"";
        ASSERT_TRUE(ours.Write(e.section, EntryKey(i), entry));
        SystemWrite(system_path, e.section, EntryKey(i), entry);
      }
      // The pages flush after each section they write.
      ASSERT_TRUE(ours.Flush());
      SystemFlush(system_path);
    }
    ASSERT_TRUE(ours.Flush());
    SystemFlush(system_path);
    // The one difference on purpose: the system drops empty lines when it rewrites a
    // file, we keep them. The internal file's general block ends at its empty line,
    // and the save copies the block up to there.
    std::string ours_bytes = ReadFileBytes(internal);
    EXPECT_NE(ours_bytes.find("\r\n\r\n[include]\r\n"), std::string::npos);
    for (size_t at; (at = ours_bytes.find("\r\n\r\n")) != std::string::npos;) ours_bytes.erase(at, 2);
    EXPECT_EQ(Printable(ours_bytes), Printable(ReadFileBytes(system_path))) << name;
  }
}

}  // namespace
}  // namespace vaultrine::config
