#include "common/message_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "common/text_encoding.h"
#include "temp_dir.h"

namespace vaultrine {
namespace {

using testing::TempDir;
using testing::WriteBytes;

// Caption and text of each box, as "caption | text".
std::vector<std::string> Shown(const RecordingSink& sink) {
  std::vector<std::string> shown;
  for (const UserMessage& m : sink.messages) {
    EXPECT_EQ(m.icon, MessageIcon::kError);
    shown.push_back(m.caption + " | " + m.text);
  }
  return shown;
}

// Writes `content` as the editor's message file, loads it, selects MAIN for the
// language and looks the key up; the result comes back as UTF-8.
std::string LookUp(const std::string& content, const char* language, const char* key) {
  TempDir dir;
  WriteBytes(dir.File(kEditorMessageFile.file_name), content);
  RecordingSink sink;
  MessageFile messages(kEditorMessageFile);
  EXPECT_TRUE(messages.LoadMessageFile(dir.path().string(), sink));
  EXPECT_TRUE(sink.messages.empty());
  messages.SelectSection("MAIN", language);
  return Utf16ToUtf8(messages.LookUpMessage(key));
}

struct LookupCase {
  const char* what;
  std::string file;
  const char* language;
  const char* key;
  std::string expected;
};

const std::string kBoth =
    "[MAIN_eng]\r\nhello=Hello\r\n\r\n[MAIN_fra]\r\nhello=Bonjour\r\n";

std::string Repeat(char c, size_t n) { return std::string(n, c); }

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.what; }

class LookupRules : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupRules, GivesTheExpectedText) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(LookUp(c.file, c.language, c.key), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Sections, LookupRules,
    ::testing::Values(
        LookupCase{"English section", kBoth, "eng", "hello", "Hello"},
        LookupCase{"French section", kBoth, "fra", "hello", "Bonjour"},
        LookupCase{"only English: French has no section", "[MAIN_eng]\r\nhello=Hello\r\n", "fra",
                   "hello", "?"},
        LookupCase{"other section name", "[OTHER_eng]\r\nhello=Hello\r\n", "eng", "hello", "?"},
        LookupCase{"missing key", kBoth, "eng", "bye", "??"},
        LookupCase{"a key of a later section within reach is found",
                   "[MAIN_eng]\r\na=1\r\n[MAIN_fra]\r\nonly_fr=Seulement\r\n", "eng", "only_fr",
                   "Seulement"},
        LookupCase{"a key before the section is not found",
                   "early=Early\r\n[MAIN_eng]\r\na=1\r\n", "eng", "early", "??"}));

INSTANTIATE_TEST_SUITE_P(
    Keys, LookupRules,
    ::testing::Values(
        LookupCase{"tag_crypt after tag_cryptnam",
                   "[MAIN_eng]\r\ntag_cryptnam=Names\r\ntag_crypt=Contents\r\n", "eng", "tag_crypt",
                   "Contents"},
        LookupCase{"tag_cryptnam before tag_crypt",
                   "[MAIN_eng]\r\ntag_crypt=Contents\r\ntag_cryptnam=Names\r\n", "eng",
                   "tag_cryptnam", "Names"},
        LookupCase{"a long key matches on its first 18 characters",
                   "[MAIN_eng]\r\nabcdefghijklmnopqr=Cut key\r\n", "eng", "abcdefghijklmnopqrSTUV",
                   "Cut key"},
        LookupCase{"another long key with the same head",
                   "[MAIN_eng]\r\nabcdefghijklmnopqr=Cut key\r\n", "eng", "abcdefghijklmnopqrXY",
                   "Cut key"},
        LookupCase{"a file key longer than 18 is never found whole",
                   "[MAIN_eng]\r\nabcdefghijklmnopqrSTUV=Whole\r\n", "eng", "abcdefghijklmnopqrSTUV",
                   "??"}));

INSTANTIATE_TEST_SUITE_P(
    Texts, LookupRules,
    ::testing::Values(
        LookupCase{"empty text", "[MAIN_eng]\r\nempty=\r\nnext=x\r\n", "eng", "empty", ""},
        LookupCase{"@@ breaks the line", "[MAIN_eng]\r\ntwo=first@@second\r\n", "eng", "two",
                   "first\r\nsecond"},
        LookupCase{"leading @@", "[MAIN_eng]\r\nnote=@@Working\r\n", "eng", "note",
                   "\r\nWorking"},
        LookupCase{"final @ stays", "[MAIN_eng]\r\nat=ends with@\r\n", "eng", "at", "ends with@"},
        LookupCase{"LF-only lines keep every character", "[MAIN_eng]\nhello=Hello\nother=World\n",
                   "eng", "other", "World"},
        LookupCase{"LF-only final @ stays", "[MAIN_eng]\nat=ends with@\n", "eng", "at",
                   "ends with@"},
        LookupCase{"LF-only line break", "[MAIN_eng]\ntwo=a@@b\n", "eng", "two", "a\r\nb"},
        LookupCase{"last line without line end", "[MAIN_eng]\r\nlast=Complete", "eng", "last",
                   "Complete"},
        LookupCase{"UTF-8 text", "[MAIN_fra]\r\ngen=Général\r\n", "fra", "gen", "Général"},
        LookupCase{"cut at 127 bytes", "[MAIN_eng]\r\nlong=" + Repeat('x', 200) + "\r\n", "eng",
                   "long", Repeat('x', 127)},
        LookupCase{"a cut never splits a character",
                   "[MAIN_eng]\r\nlong=" + Repeat('x', 126) + "é\r\n", "eng", "long",
                   Repeat('x', 126)},
        LookupCase{"127 bytes fit", "[MAIN_eng]\r\nfull=" + Repeat('y', 127) + "\r\n", "eng",
                   "full", Repeat('y', 127)}));

// Positions: the 3700-byte reach of a section, the search windows, the image size.
std::string Padding(size_t bytes) {
  // Dash lines of exactly `bytes` bytes in all (at least 2), ending in CR LF.
  std::string out;
  while (bytes - out.size() > 80) out += Repeat('-', 78) + "\r\n";
  return out + Repeat('-', bytes - out.size() - 2) + "\r\n";
}

const std::string kHeader = "[MAIN_eng]\r\n";  // 12 bytes

INSTANTIATE_TEST_SUITE_P(
    Limits, LookupRules,
    ::testing::Values(
        LookupCase{"entry ending right at the reach of its section",
                   kHeader + Padding(3700 - 12 - 9) + "key=abc\r\n", "eng", "key", "abc"},
        LookupCase{"entry whose pattern crosses the reach",
                   kHeader + Padding(3700 - 12 - 2) + "key=abc\r\n", "eng", "key", "??"},
        LookupCase{"header starting at 32890 ends the last window", Padding(32890) + kHeader + "k=v\r\n",
                   "eng", "k", "v"},
        LookupCase{"header starting at 32891 is out of the windows",
                   Padding(32891) + kHeader + "k=v\r\n", "eng", "k", "?"},
        LookupCase{"header straddling two windows", Padding(3695) + kHeader + "k=v\r\n", "eng", "k",
                   "v"},
        LookupCase{"a text cut by the end of the image",
                   Padding(32000) + kHeader + Padding(35300 - 32012) + "k=abcdefghijklmnopqrstuvwxyz"
                       "0123456789\r\n" + Padding(5000),
                   "eng", "k", "abcdefghijklmnopqrstuvwxyz"},
        LookupCase{"a key past the image is not seen",
                   Padding(32000) + kHeader + Padding(35328 - 32012) + "k=v\r\n", "eng", "k",
                   "??"}));

TEST(MessageFileSections, OffsetIsThePositionOfTheHeader) {
  TempDir dir;
  WriteBytes(dir.File("ConfigVaultrine.mes"), Padding(3695) + kHeader + Padding(100) + "[MAIN_fra]\r\n");
  RecordingSink sink;
  MessageFile messages(kEditorMessageFile);
  ASSERT_TRUE(messages.LoadMessageFile(dir.path().string(), sink));
  EXPECT_EQ(messages.section_offset(), -1);
  messages.SelectSection("MAIN", "eng");
  EXPECT_EQ(messages.section_offset(), 3695);
  messages.SelectSection("MAIN", "fra");
  EXPECT_EQ(messages.section_offset(), 3695 + 12 + 100);
  messages.SelectSection("MAIN", "deu");
  EXPECT_EQ(messages.section_offset(), -1);
}

TEST(MessageFileSections, LanguageChangeAndReleaseTakeEffect) {
  TempDir dir;
  WriteBytes(dir.File("RestoreVaultrine.mes"), kBoth);
  RecordingSink sink;
  MessageFile messages(kRestoreMessageFile);
  ASSERT_TRUE(messages.LoadMessageFile(dir.path().string(), sink));
  messages.SelectSection("MAIN", "fra");
  EXPECT_EQ(messages.LookUpMessage("hello"), u"Bonjour");
  messages.SelectSection("MAIN", "eng");
  EXPECT_EQ(messages.LookUpMessage("hello"), u"Hello");
  messages.ReleaseMessageFile();
  EXPECT_FALSE(messages.loaded());
  EXPECT_EQ(messages.LookUpMessage("hello"), u"?");
  messages.SelectSection("MAIN", "eng");
  EXPECT_EQ(messages.LookUpMessage("hello"), u"?");
}

struct LoadCase {
  const char* what;
  MessageFileVariant variant;
  bool make_directory;  // a folder in place of the file: it opens but cannot be read
  bool loaded;
  std::vector<std::string> shown;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.what; }

class LoadFailures : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadFailures, ReportThroughTheSinkAndAnswerQuestionMarks) {
  const LoadCase& c = GetParam();
  TempDir dir;
  if (c.make_directory) std::filesystem::create_directory(dir.File(c.variant.file_name));
  RecordingSink sink;
  MessageFile messages(c.variant);
  EXPECT_EQ(messages.LoadMessageFile(dir.path().string(), sink), c.loaded) << c.what;
  EXPECT_EQ(messages.loaded(), c.loaded) << c.what;
  EXPECT_EQ(Shown(sink), c.shown) << c.what;
  messages.SelectSection("MAIN", "eng");
  EXPECT_EQ(messages.section_offset(), -1) << c.what;
  for (const char* key : {"tag_general", "ask_1", ""}) {
    EXPECT_EQ(messages.LookUpMessage(key), u"?") << c.what << " " << key;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, LoadFailures,
    ::testing::Values(
        LoadCase{"editor, missing file", kEditorMessageFile, false, false,
                 {"Config VAULTRINE 1.92 | Cannot open ConfigVaultrine.mes"}},
        LoadCase{"restore, missing file", kRestoreMessageFile, false, false,
                 {"Restore Vaultrine | Cannot open RestoreVaultrine.mes"}},
        // Only the restore library checks the read; the editor keeps an empty image.
        LoadCase{"editor, unreadable file", kEditorMessageFile, true, true, {}},
        LoadCase{"restore, unreadable file", kRestoreMessageFile, true, false,
                 {"Restore Vaultrine | Cannot load RestoreVaultrine.mes"}}));

}  // namespace
}  // namespace vaultrine
