#include "config_editor/core/parameter_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <initializer_list>

#include "common/file_io.h"
#include "config_editor/core/rule_list.h"
#include "temp_dir.h"

namespace vaultrine::config {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kMark = "\xEF\xBB\xBF";

std::string CrLf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

// A parameter file as the editor writes it: comments, unknown keys, "#" entries,
// accented paths, a volume name.
const std::string kGeneral = CrLf({
    "[general]", "ov_obsolete=", "obsolete=30d", "cryptkey=cl\xC3\xA9 secr\xC3\xA8te",
    "summary=\"C:\\Journal\"", "database=Vaultrine.sqlite", "# commentaire libre",
    "unknown_key = kept  as is "});
const std::string kEditorFile = kMark + kGeneral + CrLf({
    "", "[include]", "\"C:\\Users\\\"", "#\"D:\\Photos\\\"", "\"C:\\Donn\xC3\xA9" "es\\\xC3\x89t\xC3\xA9\\\"",
    "", "[destination]", "\"E:\\Sauvegarde\" ,name=DISQUE1 , search",
    "", "[exclude]", "yes => (path=\"*.tmp\")", "#no => (path=\"*.bak\")",
    "", "[md5_compare]", "md5 => (size>500)",
    "", "[old_versions]", "3",
    "", "[compress]", "gzip => (path=\"C:\\Data\\*\")",
    "", "[crypt]", "bf => (path=\"*.doc\")",
    "", "[crypt_path]",
    "", "[restore]", "C:\\Restauration",
    "", "# eof"});
// The internal file made from it.
const std::string kEditorInternal = kGeneral + CrLf({
    "", "[include]", "000=\"C:\\Users\\\"", "001=#\"D:\\Photos\\\"",
    "002=\"C:\\Donn\xC3\xA9" "es\\\xC3\x89t\xC3\xA9\\\"",
    "", "[destination]", "000=\"E:\\Sauvegarde\"", "999=DISQUE1",
    "", "[exclude]", "000=yes => (path=\"*.tmp\")", "001=#no => (path=\"*.bak\")",
    "", "[md5_compare]", "000=md5 => (size>500)",
    "", "[old_versions]", "000=3",
    "", "[compress]", "000=gzip => (path=\"C:\\Data\\*\")",
    "", "[crypt]", "000=bf => (path=\"*.doc\")",
    "", "[restore]", "000=C:\\Restauration"});

// The file with every section empty but [general] and those given, in order.
std::string EmptySectionsFile(const std::string& general, const std::string& destination) {
  std::string out = kMark + general;
  out += CrLf({"", "[include]", "", "[destination]", destination});
  for (const char* s : kRuleSectionsAfterDestination) out += CrLf({"", std::string("[") + s + "]"});
  return out + CrLf({"", "# eof"});
}

std::string FileWith(const std::string& section, std::initializer_list<std::string> entries,
                     const std::string& destination = "\"E:\\B\"");

class Editor {
 public:
  Editor() : path_(dir_.File("Vaultrine.ini")) {}
  const std::string& path() const { return path_; }
  std::string working() const { return WorkingCopyName(path_); }
  std::string internal() const { return InternalFileName(working()); }
  std::string backup() const { return BackupCopyName(path_); }

  // Opens `bytes` as the parameter file: the working copy, then the conversion.
  ConvertResult Open(const std::string& bytes) {
    WriteBytes(path_, bytes);
    EXPECT_TRUE(MakeWorkingCopy(path_, path_));
    chosen = working();
    return ConvertToInternal(chosen, sink);
  }
  WriteResult Save() { return WriteParameterFile(working(), sink); }
  std::string Saved() const { return ReadBytes(path_); }
  std::string Internal() const { return ReadBytes(internal()); }

  RecordingSink sink;
  std::string chosen;  // the parameter path after the last Open

 private:
  TempDir dir_;
  std::string path_;
};

TEST(ParameterFileNames, AreFormedFromTheParameterPath) {
  EXPECT_EQ(WorkingCopyName("C:\\Prog\\Vaultrine.ini"), "C:\\Prog\\Vaultrine.ini.@@@");
  EXPECT_EQ(WorkingCopyName("C:\\Prog\\Vaultrine.ini.@@@"), "C:\\Prog\\Vaultrine.ini.@@@");
  EXPECT_EQ(InternalFileName("C:\\Prog\\Vaultrine.ini.@@@"), "C:\\Prog\\ZZZ_Vaultrine.ini.@@@.tmp");
  EXPECT_EQ(InternalFileName("C:\\Donn\xC3\xA9" "es\\a.b\\T.ini.@@@"),
            "C:\\Donn\xC3\xA9" "es\\a.b\\ZZZ_T.ini.@@@.tmp");
  EXPECT_EQ(InternalFileName("Vaultrine.ini.@@@"), "");
  EXPECT_EQ(BackupCopyName("C:\\Prog\\Vaultrine.ini.@@@"), "C:\\Prog\\Vaultrine.ini.OLD");
  EXPECT_EQ(ParameterPathOf("C:\\x.ini.@@@"), "C:\\x.ini");
  EXPECT_EQ(EntryKey(0), "000");
  EXPECT_EQ(EntryKey(99), "099");
  EXPECT_EQ(EntryKey(1000), "1000");
}

TEST(ParameterFileRoundTrip, EditorFileComesBackByteForByte) {
  Editor e;
  ASSERT_EQ(e.Open(kEditorFile), kConverted);
  EXPECT_TRUE(e.sink.messages.empty());
  EXPECT_EQ(e.Internal(), kEditorInternal);
  ASSERT_EQ(e.Save(), kWritten);
  EXPECT_EQ(e.Saved(), kEditorFile);
  EXPECT_EQ(ReadBytes(e.backup()), kEditorFile);
  EXPECT_FALSE(FileReadable(e.working()));
  EXPECT_FALSE(FileReadable(e.internal()));
}

TEST(ParameterFileRoundTrip, SecondSaveReplacesTheBackup) {
  Editor e;
  ASSERT_EQ(e.Open(FileWith("include", {"C:\\a"})), kConverted);
  ASSERT_EQ(e.Save(), kWritten);
  const std::string first = e.Saved();
  ASSERT_EQ(e.Open(first), kConverted);
  ASSERT_EQ(e.Save(), kWritten);
  EXPECT_EQ(e.Saved(), first);
  EXPECT_EQ(ReadBytes(e.backup()), first);
}

TEST(ParameterFileRoundTrip, NewFileLeavesNoBackup) {
  Editor e;
  WriteBytes(e.path(), kEditorFile);
  ASSERT_TRUE(MakeWorkingCopy(e.path(), e.path()));
  std::filesystem::remove(e.path());
  std::string chosen = e.path();
  ASSERT_EQ(ConvertToInternal(chosen, e.sink), kConverted);
  ASSERT_EQ(e.Save(), kWritten);
  EXPECT_EQ(e.Saved(), kEditorFile);
  EXPECT_FALSE(FileReadable(e.backup()));
}

// Files the editor did not write, and what one save makes of them.
struct SaveCase {
  const char* name;
  std::string input;
  ConvertResult converted;
  std::vector<std::string> messages;
  std::string saved;
};

class ParameterFileSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(ParameterFileSave, ConvertsAndWritesAsTheFormatSays) {
  const SaveCase& c = GetParam();
  Editor e;
  EXPECT_EQ(e.Open(c.input), c.converted);
  std::vector<std::string> texts;
  for (const auto& m : e.sink.messages) {
    texts.push_back(m.text);
    EXPECT_EQ(m.icon, MessageIcon::kError);
  }
  EXPECT_EQ(texts, c.messages);
  ASSERT_EQ(e.Save(), kWritten);
  EXPECT_EQ(e.Saved(), c.saved);
}

const std::string kGen = CrLf({"[general]", "ov_obsolete="});

std::string FileWith(const std::string& section, std::initializer_list<std::string> entries,
                     const std::string& destination) {
  std::string out = kMark + kGen;
  for (const char* s : {"include", "destination", "exclude", "md5_compare", "old_versions",
                        "compress", "crypt", "crypt_path", "restore"}) {
    out += CrLf({"", std::string("[") + s + "]"});
    if (std::string(s) == "destination") out += CrLf({destination});
    if (section == s)
      for (const std::string& entry : entries) out += CrLf({entry});
  }
  return out + CrLf({"", "# eof"});
}

std::string Repeat(int n, const std::string& prefix) {
  std::string out;
  for (int i = 0; i < n; ++i) out += prefix + std::to_string(i) + "\r\n";
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParameterFileSave,
    ::testing::Values(
        SaveCase{"IncludeGetsQuotesButNeverOnHash",
                 FileWith("include", {"C:\\a b\\", "#C:\\off", "#\"C:\\q\\\""}), kConverted, {},
                 FileWith("include", {"\"C:\\a b\\\"", "#C:\\off", "#\"C:\\q\\\""})},
        SaveCase{"DestinationWithoutVolumeName", FileWith("", {}, "\"E:\\B\""), kConverted, {},
                 FileWith("", {}, "\"E:\\B\"")},
        SaveCase{"DestinationWithoutQuotesOrComma", FileWith("", {}, "E:\\B"), kConverted, {},
                 FileWith("", {}, "\"E:\\B\"")},
        SaveCase{"DestinationWithVolumeName", FileWith("", {}, "\"E:\\B\" ,name=DISQUE1 , search"),
                 kConverted, {}, FileWith("", {}, "\"E:\\B\" ,name=DISQUE1 , search")},
        SaveCase{"DestinationMissingLineWritesEmptyFolder", EmptySectionsFile(kGen, ""), kConverted,
                 {}, FileWith("", {}, "\"\"")},
        SaveCase{"EmptyLineEndsASection",
                 FileWith("exclude", {"yes => (path=\"*.a\")", "", "yes => (path=\"*.b\")"}),
                 kConverted, {}, FileWith("exclude", {"yes => (path=\"*.a\")"})},
        SaveCase{"UnquotedSectionsLoseQuotesAndBlanks",
                 FileWith("exclude", {"\"yes => (path=*.a)\"", "  no => (path=\"*.b\")  "}),
                 kConverted, {}, FileWith("exclude", {"yes => (path=*.a)", "no => (path=\"*.b\")"})},
        SaveCase{"ListEndMarkerEndsTheList",
                 FileWith("compress", {"gzip => (path=\"*.a\")", "*****", "gzip => (path=\"*.b\")"}),
                 kConverted, {}, FileWith("compress", {"gzip => (path=\"*.a\")"})},
        SaveCase{"LastLineWithoutLineEndKeepsItsLastCharacter",
                 kMark + kGen + CrLf({"", "[include]", "", "[destination]", "\"E:\\B\"", "",
                                      "[exclude]", "", "[md5_compare]", "", "[old_versions]", "",
                                      "[compress]", "", "[crypt]", "", "[crypt_path]", "",
                                      "[restore]"}) + "C:\\R",
                 kConverted, {}, FileWith("restore", {"C:\\R"})},
        SaveCase{"LfLineEndsAndNoMarkAccepted", "[general]\nov_obsolete=\n\n[include]\n\"C:\\a\"\n\n"
                 "[destination]\n\"E:\\B\"\n\n[exclude]\n\n[md5_compare]\n\n[old_versions]\n\n"
                 "[compress]\n\n[crypt]\n\n[crypt_path]\n\n[restore]\n\n# eof\n",
                 kConverted, {}, FileWith("include", {"\"C:\\a\""})}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

// A file with a section the conversion cannot find is refused whole: no internal
// file stays behind, so no save can write it back with sections missing.
TEST(ParameterFileConvert, IncompleteFileIsRefusedWhole) {
  const std::string kMissing = "Echec lors de la création de la section %s du fichier interne de Tesseron";
  auto missing = [&](const std::string& header) {
    std::string m = kMissing;
    return m.replace(m.find("%s"), 2, header);
  };
  const std::string full = FileWith("include", {"\"C:\\a\\\""});
  auto without = [&](const std::string& header) {
    std::string f = full;
    return f.erase(f.find(header), header.size() + 2);  // the header line
  };
  const std::pair<std::string, std::string> cases[] = {
      // Passes the compatibility test, which ignores case, but not the section match.
      {kMark + CrLf({"[General]", "ov_obsolete="}) + full.substr(full.find("\r\n[include]")),
       missing("[general]")},
      {without("[include]"), missing("[include]")},
      {without("[destination]"), missing("[destination]")},
      {without("[md5_compare]"), missing("[md5_compare]")},
      {without("[restore]"), missing("[restore]")},
      {kMark + kGen + CrLf({"", "[include]", "C:\\a", "", "[Destination]", "\"E:\\B\""}),
       missing("[destination]")},
  };
  for (const auto& [input, message] : cases) {
    SCOPED_TRACE(message);
    Editor e;
    EXPECT_EQ(e.Open(input), kSectionMissing);
    ASSERT_EQ(e.sink.messages.size(), 1u);
    EXPECT_EQ(e.sink.messages[0].text, message);
    EXPECT_EQ(e.sink.messages[0].icon, MessageIcon::kError);
    EXPECT_EQ(e.chosen, "");
    EXPECT_FALSE(FileReadable(e.internal()));
    EXPECT_EQ(e.Saved(), input);
  }
}

TEST(ParameterFileSave, KeepsTheFirstHundredEntries) {
  Editor e;
  const std::string file = EmptySectionsFile(kGen, "\"E:\\B\"");
  std::string input = file;
  input.insert(input.find("[crypt]\r\n") + 9, Repeat(101, "bf => (path=\"*.x"));
  ASSERT_EQ(e.Open(input), kConverted);
  EXPECT_EQ(ReadProfileString(e.internal(), "crypt", "100", "*****"), "bf => (path=\"*.x100");
  ASSERT_EQ(e.Save(), kWritten);
  std::string expected = file;
  expected.insert(expected.find("[crypt]\r\n") + 9, Repeat(100, "bf => (path=\"*.x"));
  EXPECT_EQ(e.Saved(), expected);
}

// Which lists the opening names as longer than a save keeps: 100 lines fit, 101 do
// not, in any list section, and each list is named once.
TEST(ParameterFileConvert, NamesTheListsOverTheLimit) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, int>> lines;  // section, number of lines
    std::vector<std::string> over;
  } cases[] = {
      {"none", {}, {}},
      {"exactly 100 everywhere", {{"include", 100}, {"exclude", 100}, {"restore", 100}}, {}},
      {"101 in the include list", {{"include", 101}}, {"[include]"}},
      {"several, in file order",
       {{"restore", 150}, {"exclude", 101}, {"crypt", 99}, {"old_versions", 230}},
       {"[exclude]", "[old_versions]", "[restore]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Editor e;
    std::string input = EmptySectionsFile(kGen, "\"E:\\B\"");
    for (const auto& [section, count] : c.lines) {
      const std::string header = "[" + section + "]\r\n";
      input.insert(input.find(header) + header.size(), Repeat(count, section == "include" ? "C:\\" : "x"));
    }
    ASSERT_EQ(e.Open(input), kConverted);
    EXPECT_EQ(ListsOverLimit(ProfileFile(e.internal())), c.over);
  }
}

TEST(ParameterFileSave, LongLinesStayWholeAndAreNeverSplit) {
  Editor e;
  const std::string general_line = "note=" + std::string(600, 'g');
  const std::string entry = "yes => (path=\"" + std::string(10 * 1024 * 1024, 'x') + "\")";
  std::string file = EmptySectionsFile(kGen + CrLf({general_line}), "\"E:\\B\"");
  file.insert(file.find("[exclude]\r\n") + 11, CrLf({entry, "no => (path=\"*.b\")"}));
  ASSERT_EQ(e.Open(file), kConverted);
  EXPECT_EQ(ReadProfileString(e.internal(), "exclude", "001", "*****"), "no => (path=\"*.b\")");
  EXPECT_EQ(ReadProfileString(e.internal(), "exclude", "002", "*****"), "*****");
  ASSERT_EQ(e.Save(), kWritten);
  EXPECT_EQ(e.Saved(), file);
}

// Every page loads its section and writes it back when it is left, changed or not:
// entries at and past the length a user may compose (an include entry of 381, 382
// and 383 bytes between its quotes, rules longer than a line) come back as stored.
TEST(ParameterFileSave, EntriesAsStoredSurviveAVisitOfTheirPages) {
  Editor e;
  const auto folder = [](size_t bytes) { return "C:\\" + std::string(bytes - 4, 'f') + "\\"; };
  const std::string accented = "C:\\" + std::string(376, 'a') + "\xC3\xA9\\";  // 382 bytes, é at the cut
  std::string file = EmptySectionsFile(kGen, "\"E:\\B\"");
  file.insert(file.find("[include]\r\n") + 11,
              CrLf({"\"" + folder(381) + "\"", "\"" + folder(382) + "\"", "\"" + folder(383) + "\"",
                    "\"" + accented + "\"", "#\"" + folder(383) + "\""}));
  file.insert(file.find("[exclude]\r\n") + 11, CrLf({"yes => (path=\"" + std::string(400, 'x') + "\")"}));
  file.insert(file.find("[compress]\r\n") + 12, CrLf({"gzip => (path=\"" + std::string(369, 'z') + "\")"}));
  ASSERT_EQ(e.Open(file), kConverted);
  for (int visit = 0; visit < 2; ++visit) {
    for (const char* section : {"include", "exclude", "md5_compare", "compress", "crypt", "crypt_path"}) {
      ProfileFile internal(e.internal());
      const RuleList rules = RuleList::Load(internal, section, std::string(section) == "include");
      ASSERT_TRUE(rules.Save(internal, section)) << section;
    }
  }
  ASSERT_EQ(e.Save(), kWritten);
  EXPECT_EQ(e.Saved(), file);
}

TEST(ParameterFileConvert, RefusalsSayWhyAndLeaveNoInternalFile) {
  Editor e;
  std::string none;
  EXPECT_EQ(ConvertToInternal(none, e.sink), kNoParameterFile);
  std::string missing = e.path();
  EXPECT_EQ(ConvertToInternal(missing, e.sink), kNoWorkingCopy);
  EXPECT_EQ(e.Open(kMark + CrLf({"[general]", "obsolete=30d", "", "[include]"})), kIncompatible);
  ASSERT_EQ(e.sink.messages.size(), 3u);
  EXPECT_EQ(e.sink.messages[0].text, "Vous n'avez pas choisi de fichier paramètre à configurer");
  EXPECT_EQ(e.sink.messages[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(e.sink.messages[1].text, "Ce fichier paramètre n'existe pas");
  EXPECT_EQ(e.sink.messages[1].icon, MessageIcon::kInformation);
  EXPECT_EQ(e.sink.messages[2].text,
            "Le fichier " + e.working() + "\n\nn'est pas compatible avec Tesseron");
  EXPECT_EQ(e.sink.messages[2].icon, MessageIcon::kError);
  EXPECT_FALSE(FileReadable(e.internal()));
}

TEST(ParameterFileConvert, IncompatibleFileClearsThePath) {
  Editor e;
  WriteBytes(e.working(), "[general]\r\nov_obsolete_not=1\r\n[other]\r\nov_obsolete=1\r\n");
  std::string chosen = e.working();
  EXPECT_EQ(ConvertToInternal(chosen, e.sink), kIncompatible);
  EXPECT_EQ(chosen, "");
}

TEST(ParameterFileConvert, CompatibilityNeedsTheKeyNotAValue) {
  TempDir dir;
  const std::string working = dir.File("w");
  const std::pair<std::string, bool> cases[] = {
      {"[general]\r\nov_obsolete=\r\n", true},
      {"[GENERAL]\r\n OV_OBSOLETE = no\r\n", true},
      {"[general]\r\nov_obsolete\r\n", false},
      {"[general]\r\n\r\n[include]\r\nov_obsolete=1\r\n", false},
      {"ov_obsolete=1\r\n", false},
      {"", false},
  };
  for (const auto& [content, compatible] : cases) {
    WriteBytes(working, content);
    EXPECT_EQ(IsCompatible(working), compatible) << content;
  }
}

TEST(ParameterFileConvert, DoneOnceThenLeftAlone) {
  Editor e;
  ASSERT_EQ(e.Open(kEditorFile), kConverted);
  ASSERT_TRUE(WriteProfileString(e.internal(), "include", "000", "\"C:\\Changed\\\""));
  const std::string edited = e.Internal();
  std::string chosen = e.working();
  EXPECT_EQ(ConvertToInternal(chosen, e.sink), kConverted);
  EXPECT_EQ(e.Internal(), edited);
  // A conversion that stopped early leaves nothing to count as done: the next
  // one starts again, and stops again.
  Editor partial;
  ASSERT_EQ(partial.Open(kMark + kGen), kSectionMissing);
  partial.sink.messages.clear();
  chosen = partial.working();
  EXPECT_EQ(ConvertToInternal(chosen, partial.sink), kSectionMissing);
  EXPECT_EQ(partial.sink.messages.size(), 1u);
  EXPECT_FALSE(FileReadable(partial.internal()));
}

TEST(ParameterFileConvert, FindSectionMatchesTheWholeLineWithCase) {
  TempDir dir;
  RecordingSink sink;
  WriteBytes(dir.File("w"), "[Include]\r\n [include]\r\n[include] \r\n[include]\r\nfirst\r\n");
  auto reader = FindSection(dir.File("w"), "[include]", sink);
  ASSERT_TRUE(reader);
  std::string line;
  ASSERT_TRUE(reader->Next(line));
  EXPECT_EQ(line, "first");
  EXPECT_FALSE(FindSection(dir.File("w"), "[exclude]", sink));
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_FALSE(FindSection(dir.File("none"), "[include]", sink));
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].text, "Echec lors de l'ouverture du fichier paramètre");
}

// Bytes that are no parameter file at all: refused, never a crash, and nothing
// left that a save could write back.
TEST(ParameterFileConvert, ArbitraryBytes) {
  const std::string nul_general = std::string("[general]\r\nov_obsolete=\0x\r\nk=\0\0\r\n", 32);
  const std::string cases[] = {
      "", std::string("\0\0\0\0", 4), "\xFF\xFE[\x01\x02]\r\n\x80\x81", "no sections at all",
      "[general]", "[general]\r\nov_obsolete=" + std::string(10 * 1024 * 1024, 'z'),
      nul_general, kMark + kMark + kGeneral, "[destination]\r\n,,,,\r\n[general]\r\nov_obsolete=",
      std::string(50000, '\n') + "[general]\r\nov_obsolete=\r\n"};
  for (const std::string& input : cases) {
    Editor e;
    const ConvertResult r = e.Open(input);
    EXPECT_TRUE(r == kIncompatible || r == kSectionMissing) << r;
    EXPECT_FALSE(e.sink.messages.empty());
    EXPECT_EQ(e.chosen, "");
    EXPECT_FALSE(FileReadable(e.internal()));
    EXPECT_EQ(e.Saved(), input);
  }
}

TEST(ParameterFileConvert, NulBytesPassThroughTheGeneralBlock) {
  Editor e;
  const std::string line = std::string("cryptkey=a\0b", 12);
  const std::string file = EmptySectionsFile(kGen + CrLf({line}), "\"E:\\B\"");
  ASSERT_EQ(e.Open(file), kConverted);
  ASSERT_EQ(e.Save(), kWritten);
  EXPECT_EQ(e.Saved(), file);
}

#ifndef _WIN32
TEST(ParameterFileWrite, FailingWriteLeavesThePreviousFile) {
  Editor e;
  ASSERT_EQ(e.Open(kEditorFile), kConverted);
  WriteBytes(e.backup(), "older backup");
  // The new file starts but the disk is full at its first flush.
  std::filesystem::remove(e.working());
  ASSERT_EQ(symlink("/dev/full", e.working().c_str()), 0);
  EXPECT_EQ(e.Save(), kCannotCreate);
  ASSERT_EQ(e.sink.messages.size(), 1u);
  EXPECT_EQ(e.sink.messages[0].text, "Echec lors de la création du fichier paramètre");
  EXPECT_EQ(e.sink.messages[0].icon, MessageIcon::kError);
  EXPECT_EQ(e.Saved(), kEditorFile);
  EXPECT_EQ(ReadBytes(e.backup()), "older backup");
  EXPECT_EQ(e.Internal(), kEditorInternal);  // the edits can still be saved again
}
#endif

TEST(ParameterFileWrite, NewFileThatCannotBeCreated) {
  Editor e;
  ASSERT_EQ(e.Open(kEditorFile), kConverted);
  std::filesystem::remove(e.working());
  std::filesystem::create_directory(e.working());
  EXPECT_EQ(e.Save(), kCannotCreate);
  EXPECT_EQ(e.Saved(), kEditorFile);
  EXPECT_FALSE(FileReadable(e.backup()));
}

TEST(ParameterFileWrite, MissingInternalFile) {
  Editor e;
  ASSERT_EQ(e.Open(kEditorFile), kConverted);
  std::filesystem::remove(e.internal());
  EXPECT_EQ(e.Save(), kCannotReadInternal);
  ASSERT_EQ(e.sink.messages.size(), 1u);
  EXPECT_EQ(e.sink.messages[0].text, "Echec lors de l'ouverture du fichier temporaire");
  EXPECT_EQ(e.Saved(), kEditorFile);
  EXPECT_FALSE(FileReadable(e.backup()));
  EXPECT_FALSE(FileReadable(e.working()));
}

TEST(ParameterFileWrite, ListEndInDestinationKeysIsNoFolderOrVolume) {
  Editor e;
  ASSERT_EQ(e.Open(EmptySectionsFile(kGen, "\"E:\\B\" ,name=V1 , search")), kConverted);
  ASSERT_TRUE(WriteProfileString(e.internal(), "destination", "999", "*****"));
  ASSERT_TRUE(WriteProfileString(e.internal(), "destination", "000", "*****"));
  ASSERT_EQ(e.Save(), kWritten);
  EXPECT_EQ(e.Saved(), EmptySectionsFile(kGen, "\"\""));
}

}  // namespace
}  // namespace vaultrine::config
