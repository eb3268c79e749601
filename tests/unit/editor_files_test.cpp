// The editor's file states walked through every way in and out: after each
// scenario the folder must hold exactly the files named, nothing stray.
#include "config_editor/core/editor_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <vector>

#include "temp_dir.h"

namespace vaultrine::config {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kMark = "\xEF\xBB\xBF";
const std::string kDataFolder = std::string(VAULTRINE_SOURCE_DIR) + "/data";

const std::string kBody =
    "[general]\r\nov_obsolete=\r\nobsolete=30d\r\n\r\n[include]\r\n\"C:\\A\\\"\r\n\r\n"
    "[destination]\r\n\"E:\\B\" ,name=V1 , search\r\n\r\n[exclude]\r\n\r\n[md5_compare]\r\n\r\n"
    "[old_versions]\r\n\r\n[compress]\r\n\r\n[crypt]\r\n\r\n[crypt_path]\r\n\r\n[restore]\r\n"
    "C:\\R\r\n\r\n# eof\r\n";
const std::string kGood = kMark + kBody;
const std::string kNoKey = kMark + "[general]\r\nobsolete=30d\r\n\r\n[include]\r\n";
const std::string kMixedCase = kMark + "[General]\r\nov_obsolete=\r\n\r\n[include]\r\n\"C:\\A\\\"\r\n";

// kSaveFails: a save that a folder named like the backup copy stops after the
// working copy has been written. kClaim and kUnclaim: the file page holds a file
// chosen in a chooser, then the user keeps the current one after all.
enum class Do { kStartup, kNew, kNewAdvanced, kOpen, kConvert, kSave, kSaveFails, kDiscard, kClaim, kUnclaim };
struct Step {
  Step(Do w, std::string n = {}, std::vector<std::string> ns = {})
      : what(w), name(std::move(n)), names(std::move(ns)) {}
  Do what;
  std::string name;                // file name in the work folder
  std::vector<std::string> names;  // start-up listing
};

struct Scenario {
  const char* title;
  std::vector<std::pair<std::string, std::string>> files;  // in the work folder at start
  std::vector<Step> steps;
  FileState state;
  std::string chosen;                // file name, empty for none
  std::set<std::string> left;        // every file in the work folder at the end
  std::vector<std::string> messages; // texts, "%w" standing for the work folder
  std::set<std::string> held_elsewhere = {};  // file names another running editor holds
};

// Other editors hold `elsewhere`; this one holds what it took and kept.
struct FakeGuard : FileGuard {
  bool Take(const std::string& path) override {
    if (elsewhere.count(path)) return false;
    held.insert(path);
    return true;
  }
  void KeepOnly(const std::string& first, const std::string& second) override {
    for (auto it = held.begin(); it != held.end();) it = (*it == first || *it == second) ? std::next(it) : held.erase(it);
  }
  void ShowHolder(const std::string& path) override { shown.push_back(path); }
  std::set<std::string> elsewhere, held;
  std::vector<std::string> shown;
};

const std::string kWc = ".@@@";
const std::string kInternal(const std::string& name) { return "ZZZ_" + name + ".@@@.tmp"; }

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> all = {
      {"StartupFindsNothing", {{"notes.txt", "x"}}, {{Do::kStartup, "", {"notes.txt"}}},
       FileState::kNoFile, "", {"notes.txt"}, {}},
      {"StartupKeepsACompatibleFile", {{"Vaultrine.ini", kGood}},
       {{Do::kStartup, "", {"Vaultrine.ini"}}},
       FileState::kChosen, "Vaultrine.ini", {"Vaultrine.ini", "Vaultrine.ini" + kWc}, {}},
      {"StartupDropsAnIncompatibleFileSilently", {{"Vaultrine.ini", kNoKey}},
       {{Do::kStartup, "", {"Vaultrine.ini"}}}, FileState::kNoFile, "", {"Vaultrine.ini"}, {}},
      {"StartupTakesTheFirstCompatibleInNameOrder",
       {{"a.ini", kNoKey}, {"C.ini", kGood}, {"b.INI", kGood}, {"a.ini.OLD", kGood}, {"z.inix", kGood}},
       {{Do::kStartup, "", {"z.inix", "C.ini", "a.ini.OLD", "b.INI", "a.ini"}}},
       FileState::kChosen, "b.INI", {"a.ini", "C.ini", "b.INI", "b.INI" + kWc, "a.ini.OLD", "z.inix"}, {}},
      {"StartupForgetsAStaleConversion",
       {{"Vaultrine.ini", kGood}, {kInternal("Vaultrine.ini"), "[general]\r\nstale=1\r\n"}},
       {{Do::kStartup, "", {"Vaultrine.ini"}}},
       FileState::kChosen, "Vaultrine.ini", {"Vaultrine.ini", "Vaultrine.ini" + kWc}, {}},
      {"ConvertMakesTheInternalFile", {{"Vaultrine.ini", kGood}},
       {{Do::kOpen, "Vaultrine.ini"}, {Do::kConvert}},
       FileState::kConverted, "Vaultrine.ini",
       {"Vaultrine.ini", "Vaultrine.ini" + kWc, kInternal("Vaultrine.ini")}, {}},
      {"OpeningAnotherFileLeavesNothingOfThePrevious", {{"a.ini", kGood}, {"b.ini", kGood}},
       {{Do::kOpen, "a.ini"}, {Do::kConvert}, {Do::kOpen, "b.ini"}},
       FileState::kChosen, "b.ini", {"a.ini", "b.ini", "b.ini" + kWc}, {}},
      {"NewFileLeavesNothingOfThePrevious", {{"a.ini", kGood}},
       {{Do::kOpen, "a.ini"}, {Do::kConvert}, {Do::kNew, "n.ini"}},
       FileState::kChosen, "n.ini", {"a.ini", "n.ini" + kWc}, {}},
      {"ReopeningTheSameFileStartsAfresh", {{"a.ini", kGood}},
       {{Do::kOpen, "a.ini"}, {Do::kConvert}, {Do::kOpen, "a.ini"}},
       FileState::kChosen, "a.ini", {"a.ini", "a.ini" + kWc}, {}},
      {"IncompatibleOpenIsRefusedAndLeavesNothing", {{"a.ini", kGood}, {"bad.ini", kNoKey}},
       {{Do::kOpen, "a.ini"}, {Do::kConvert}, {Do::kOpen, "bad.ini"}},
       FileState::kNoFile, "", {"a.ini", "bad.ini"},
       {"Ce fichier %w" "bad.ini.@@@\n\nn'est pas compatible avec Tesseron"}},
      {"IncompleteFileIsRefusedAtConversion", {{"m.ini", kMixedCase}},
       {{Do::kOpen, "m.ini"}, {Do::kConvert}},
       FileState::kNoFile, "", {"m.ini"},
       {"Echec lors de la création de la section [general] du fichier interne de Tesseron"}},
      {"ConvertWithoutFile", {}, {{Do::kConvert}}, FileState::kNoFile, "", {},
       {"Vous n'avez pas choisi de fichier paramètre à configurer"}},
      {"SaveLeavesTheFileAndItsBackup", {{"Vaultrine.ini", kGood}},
       {{Do::kOpen, "Vaultrine.ini"}, {Do::kConvert}, {Do::kSave}},
       FileState::kNoFile, "", {"Vaultrine.ini", "Vaultrine.ini.OLD"}, {}},
      {"SaveOfANewFileLeavesNoBackup", {},
       {{Do::kNew, "n.ini"}, {Do::kConvert}, {Do::kSave}}, FileState::kNoFile, "", {"n.ini"}, {}},
      {"AFailedSaveKeepsTheFileAndItsEdits", {{"Vaultrine.ini", kGood}},
       {{Do::kOpen, "Vaultrine.ini"}, {Do::kConvert}, {Do::kSaveFails}, {Do::kConvert}},
       FileState::kConverted, "Vaultrine.ini",
       {"Vaultrine.ini", "Vaultrine.ini.OLD", kInternal("Vaultrine.ini")},
       {"Echec lors de la création du fichier paramètre"}},
      {"AFileAnotherEditorHoldsIsLeftAloneAtStartup",
       {{"Vaultrine.ini", kGood}, {"Vaultrine.ini" + kWc, "its copy"}, {kInternal("Vaultrine.ini"), "its edits"},
        {"x.ini", kGood}},
       {{Do::kStartup, "", {"Vaultrine.ini", "x.ini"}}},
       FileState::kNoFile, "", {"Vaultrine.ini", "Vaultrine.ini" + kWc, kInternal("Vaultrine.ini"), "x.ini"},
       {"chx_busy %wVaultrine.ini"}, {"Vaultrine.ini"}},
      {"OpeningAFileAnotherEditorHoldsKeepsTheCurrentOne",
       {{"a.ini", kGood}, {"b.ini", kGood}, {"b.ini" + kWc, "its copy"}, {kInternal("b.ini"), "its edits"}},
       {{Do::kOpen, "a.ini"}, {Do::kConvert}, {Do::kOpen, "b.ini"}, {Do::kNew, "b.ini"}},
       FileState::kConverted, "a.ini",
       {"a.ini", "a.ini" + kWc, kInternal("a.ini"), "b.ini", "b.ini" + kWc, kInternal("b.ini")},
       {"chx_busy %wb.ini", "chx_busy %wb.ini"}, {"b.ini"}},
      {"AFileClaimedThenNotChosenIsLetGo", {{"a.ini", kGood}, {"b.ini", kGood}},
       {{Do::kOpen, "a.ini"}, {Do::kClaim, "b.ini"}, {Do::kUnclaim}},
       FileState::kChosen, "a.ini", {"a.ini", "a.ini" + kWc, "b.ini"}, {}},
      {"DiscardLeavesTheFileAlone", {{"Vaultrine.ini", kGood}},
       {{Do::kOpen, "Vaultrine.ini"}, {Do::kConvert}, {Do::kDiscard}},
       FileState::kNoFile, "", {"Vaultrine.ini"}, {}},
  };
  return all;
}

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.title; }

std::set<std::string> Listing(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

class EditorFilesWalk : public ::testing::TestWithParam<Scenario> {};

TEST_P(EditorFilesWalk, EndsWithExactlyTheseFiles) {
  const Scenario& s = GetParam();
  TempDir dir;
  const std::string work = dir.path().string();
  for (const auto& [name, bytes] : s.files) WriteBytes(dir.File(name), bytes);

  FakeGuard guard;
  for (const std::string& name : s.held_elsewhere) guard.elsewhere.insert(dir.File(name));
  EditorFiles files(kDataFolder, [](std::string_view key) { return std::string(key) + " %s"; }, &guard);
  RecordingSink sink;
  for (const Step& step : s.steps) {
    switch (step.what) {
      case Do::kStartup: files.ChooseFirstCompatible(work, step.names, sink); break;
      case Do::kNew: files.ChooseNew(dir.File(step.name), false, sink); break;
      case Do::kNewAdvanced: files.ChooseNew(dir.File(step.name), true, sink); break;
      case Do::kOpen: files.ChooseExisting(dir.File(step.name), sink); break;
      case Do::kConvert: files.Convert(sink); break;
      case Do::kSave: EXPECT_EQ(files.Save(sink), kWritten); break;
      case Do::kSaveFails:
        std::filesystem::create_directories(BackupCopyName(files.path()) + "/held");
        EXPECT_EQ(files.Save(sink), kCannotCreate);
        break;
      case Do::kDiscard: files.Discard(); break;
      case Do::kClaim: EXPECT_TRUE(files.Claim(dir.File(step.name), sink)); break;
      case Do::kUnclaim: files.Unclaim(); break;
    }
  }
  // This editor holds the file it has chosen, and nothing else.
  EXPECT_EQ(guard.held, s.chosen.empty() ? std::set<std::string>{} : std::set<std::string>{dir.File(s.chosen)});
  // Each refusal brought the holder to the front.
  std::vector<std::string> refused;
  for (const auto& m : sink.messages)
    if (m.text.rfind("chx_busy ", 0) == 0) refused.push_back(m.text.substr(9));
  EXPECT_EQ(guard.shown, refused);
  EXPECT_EQ(files.state(), s.state);
  EXPECT_EQ(files.path(), s.chosen.empty() ? "" : dir.File(s.chosen));
  EXPECT_EQ(Listing(dir.path()), s.left);
  std::vector<std::string> texts;
  for (const auto& m : sink.messages) texts.push_back(m.text);
  std::vector<std::string> expected;
  for (std::string m : s.messages) {
    const size_t at = m.find("%w");
    if (at != std::string::npos) m.replace(at, 2, dir.File(""));
    expected.push_back(m);
  }
  EXPECT_EQ(texts, expected);
  // Every file the scenario started with is still as it was, unless it was saved.
  for (const auto& [name, bytes] : s.files) {
    // Another editor's companions are its own: never touched.
    if (!s.left.count(name) || s.left.count(name + ".OLD") || (name.find("ZZZ_") == 0 && s.held_elsewhere.empty()))
      continue;
    EXPECT_EQ(ReadBytes(dir.File(name)), bytes) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, EditorFilesWalk, ::testing::ValuesIn(Scenarios()),
                         [](const auto& info) { return std::string(info.param.title); });

// What a chosen file's working copy holds: the file, or the template of the mode,
// without the byte-order mark; and what the save writes back.
TEST(EditorFiles, WorkingCopiesComeFromTheRightSource) {
  TempDir dir;
  WriteBytes(dir.File("Vaultrine.ini"), kGood);
  EditorFiles files(kDataFolder);
  RecordingSink sink;
  struct Case {
    bool advanced;
    const char* template_name;
  };
  for (const Case& c : {Case{false, "Low_Template_TSN.tsn"}, Case{true, "High_Template_TSN.tsn"}}) {
    ASSERT_EQ(files.ChooseNew(dir.File("n.ini"), c.advanced, sink), Choice::kChosen);
    EXPECT_EQ(files.TemplatePath(c.advanced), kDataFolder + "/" + c.template_name);
    const std::string original = ReadBytes(kDataFolder + "/" + c.template_name);
    ASSERT_EQ(original.substr(0, 3), kMark);
    EXPECT_EQ(ReadBytes(files.working_copy()), original.substr(3)) << c.template_name;
  }
  ASSERT_EQ(files.ChooseExisting(dir.File("Vaultrine.ini"), sink), Choice::kChosen);
  EXPECT_EQ(ReadBytes(files.working_copy()), kBody);
  EXPECT_FALSE(std::filesystem::exists(dir.File("n.ini.@@@")));
  // Once converted and saved without a change the file comes back byte for byte.
  ASSERT_EQ(files.Convert(sink), kConverted);
  ASSERT_EQ(files.Save(sink), kWritten);
  EXPECT_EQ(ReadBytes(dir.File("Vaultrine.ini")), kGood);
  EXPECT_EQ(ReadBytes(dir.File("Vaultrine.ini.OLD")), kGood);
  EXPECT_TRUE(sink.messages.empty());
}

// A missing template leaves the file chosen without a working copy; leaving the
// page then says so and keeps the choice, and discarding it leaves nothing.
TEST(EditorFiles, MissingTemplate) {
  TempDir dir;
  EditorFiles files(dir.File("no-such-folder"));
  RecordingSink sink;
  EXPECT_EQ(files.ChooseNew(dir.File("n.ini"), false, sink), Choice::kChosen);
  EXPECT_EQ(files.state(), FileState::kChosen);
  EXPECT_EQ(files.Convert(sink), kNoWorkingCopy);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].text, "Ce fichier paramètre n'existe pas");
  EXPECT_EQ(files.path(), dir.File("n.ini"));
  files.Discard();
  EXPECT_TRUE(Listing(dir.path()).empty());
}

}  // namespace
}  // namespace vaultrine::config
