#include "common/volume_identification.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>

namespace vaultrine {
namespace {

// A process's view of its drives: which can be selected, whose root can be entered,
// which carry a readable label, and where each drive's current directory is.
class FakeVolumeTable : public VolumeTable {
 public:
  struct Drive {
    bool enterable = true;
    std::optional<std::u16string> label;  // nullopt: the query fails (no medium)
    std::string directory;
  };
  std::map<int, Drive> drives;
  std::set<std::string> refused_directories;
  std::set<int> refused_drives;
  int current = 3;

  void Add(char letter, std::optional<std::u16string> label, bool enterable = true) {
    Drive d;
    d.enterable = enterable;
    d.label = std::move(label);
    d.directory = std::string(1, letter) + ":\\";
    drives[letter - 'A' + 1] = d;
  }

  int CurrentDrive() override { return current; }
  bool CurrentDirectory(int drive, std::string& directory) override {
    const auto it = drives.find(drive);
    if (it == drives.end()) return false;
    directory = it->second.directory;
    return true;
  }
  bool SelectDrive(int drive) override {
    const auto it = drives.find(drive);
    if (it == drives.end() || refused_drives.count(drive)) return false;
    current = drive;
    return true;
  }
  bool EnterDirectory(const std::string& path) override {
    if (refused_directories.count(path) || path.size() < 3) return false;
    const int drive = path[0] - 'A' + 1;
    const auto it = drives.find(drive);
    if (it == drives.end() || !it->second.enterable) return false;
    current = drive;
    it->second.directory = path;
    return true;
  }
  bool CurrentVolumeLabel(std::u16string& label) override {
    const auto& d = drives.at(current);
    if (!d.label) return false;
    label = *d.label;
    return true;
  }
};

// C: is the system drive the process works in, at C:\work.
FakeVolumeTable Workstation() {
  FakeVolumeTable t;
  t.Add('C', u"SYSTEM");
  t.drives[3].directory = "C:\\work";
  t.current = 3;
  return t;
}

void ExpectPositionKept(const FakeVolumeTable& t) {
  EXPECT_EQ(t.current, 3);
  EXPECT_EQ(t.drives.at(3).directory, "C:\\work");
}

TEST(VolumeName, ReadsTheLabelOfTheNamedDriveEitherCase) {
  FakeVolumeTable t = Workstation();
  t.Add('E', u"Sauvegarde \u00e9t\u00e9");
  t.Add('F', std::nullopt);
  t.Add('G', u"ROOTLESS", /*enterable=*/false);
  const struct {
    const char* drive;
    std::string label;
  } cases[] = {
      {"E:", "Sauvegarde \xC3\xA9t\xC3\xA9"}, {"e", "Sauvegarde \xC3\xA9t\xC3\xA9"}, {"c:\\x", "SYSTEM"},
      {"F:", ""},  // no medium
      {"G:", ""},  // root cannot be entered
      {"H:", ""},  // no such drive
      {"1:", ""},  {"", ""}, {"[", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drive);
    EXPECT_EQ(VolumeLabelUtf8(t, c.drive), c.label);
    ExpectPositionKept(t);
  }
}

TEST(VolumeName, LongLabelsAreCutBetweenCharacters) {
  FakeVolumeTable t = Workstation();
  t.Add('E', std::u16string(40, u'A'));
  t.Add('F', std::u16string(31, u'A') + u"\u00e9\u00e9");  // 31 + 2 + 2 bytes
  EXPECT_EQ(VolumeLabelUtf8(t, "E"), std::string(32, 'A'));
  EXPECT_EQ(VolumeLabelUtf8(t, "F"), std::string(31, 'A'));
}

TEST(VolumeName, LostPositionEmptiesTheLabel) {
  FakeVolumeTable t = Workstation();
  t.Add('E', u"DATA");
  t.refused_directories.insert("C:\\work");
  EXPECT_EQ(VolumeLabelUtf8(t, "E"), "");
}

TEST(VolumeName, RestoreFormReportsEachFailure) {
  const struct {
    const char* drive;
    int16_t status;
    bool has_label;
    std::u16string label;
    const char* refused_directory;
  } cases[] = {
      {"e", kLabelRead, true, u"Donn\u00e9es", nullptr},
      {"7", kDriveNotSelectable, false, u"", nullptr},
      {"H", kDriveNotSelectable, false, u"", nullptr},
      {"G", kRootNotEnterable, false, u"", nullptr},
      {"F", kVolumeQueryFailed, false, u"", nullptr},
      {"E", kDirectoryNotRestored, true, u"Donn\u00e9es", "C:\\work"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drive);
    FakeVolumeTable t = Workstation();
    t.Add('E', u"Donn\u00e9es");
    t.Add('F', std::nullopt);
    t.Add('G', u"X", false);
    if (c.refused_directory) t.refused_directories.insert(c.refused_directory);
    const VolumeNameResult r = VolumeLabelWithStatus(t, c.drive);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.has_label, c.has_label);
    EXPECT_EQ(r.label, c.label);
    if (!c.refused_directory) ExpectPositionKept(t);
  }

  FakeVolumeTable t = Workstation();
  t.Add('E', u"DATA");
  t.refused_drives.insert(3);
  const VolumeNameResult r = VolumeLabelWithStatus(t, "E");
  EXPECT_EQ(r.status, kDriveNotRestored);
  EXPECT_EQ(r.label, u"DATA");
}

TEST(DiscFromVolumeName, FindsTheOneDriveWithThatLabel) {
  struct Case {
    const char* name;
    std::map<char, std::optional<std::u16string>> drives;
    std::string wanted;
    char answer;
  };
  const Case cases[] = {
      {"one match", {{'E', u"BACKUP"}, {'F', u"OTHER"}}, "BACKUP", 'E'},
      {"last letter", {{'Z', u"BACKUP"}}, "BACKUP", 'Z'},
      {"two equal labels", {{'E', u"BACKUP"}, {'F', u"BACKUP"}}, "BACKUP", '?'},
      {"none", {{'E', u"OTHER"}}, "BACKUP", '?'},
      {"case differs", {{'E', u"Backup"}}, "BACKUP", '?'},
      {"no medium skipped", {{'E', std::nullopt}, {'F', u"BACKUP"}}, "BACKUP", 'F'},
      {"accented", {{'E', u"Disque \u00e9t\u00e9"}}, "Disque \xC3\xA9t\xC3\xA9", 'E'},
      {"empty matches empty", {{'E', u""}}, "", 'E'},  // C: is labelled SYSTEM
      {"two empty labels", {{'E', u""}, {'F', u""}}, "", '?'},
      {"A and B never examined", {{'A', u"BACKUP"}, {'B', u"BACKUP"}}, "BACKUP", '?'},
      {"system drive counts", {}, "SYSTEM", 'C'},
      {"too long to be any label", {{'E', u""}}, std::string(200, 'x'), '?'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeVolumeTable t = Workstation();
    for (const auto& [letter, label] : c.drives) t.Add(letter, label);
    EXPECT_EQ(DiscFromVolumeName(t, c.wanted), c.answer);
    ExpectPositionKept(t);
  }
}

TEST(DiscFromVolumeName, RootThatCannotBeEnteredIsSkipped) {
  FakeVolumeTable t = Workstation();
  t.Add('E', u"BACKUP", /*enterable=*/false);
  t.Add('F', u"BACKUP");
  EXPECT_EQ(DiscFromVolumeName(t, "BACKUP"), 'F');
}

TEST(DiscFromVolumeName, LostPositionGivesExclamation) {
  FakeVolumeTable t = Workstation();
  t.Add('E', u"BACKUP");
  t.refused_directories.insert("C:\\work");
  EXPECT_EQ(DiscFromVolumeName(t, "BACKUP"), '!');

  FakeVolumeTable u = Workstation();
  u.Add('E', u"BACKUP");
  u.refused_drives.insert(3);  // C: cannot be selected again
  EXPECT_EQ(DiscFromVolumeName(u, "BACKUP"), '!');
}

}  // namespace
}  // namespace vaultrine
