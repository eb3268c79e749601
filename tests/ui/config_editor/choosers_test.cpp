// The editor's two choosers, the system's own dialogs, driven from a second thread
// as a user would fill them: file names typed, folders selected, cancel.
#include "config_editor/choosers.h"

#include <gtest/gtest.h>

#include "common/win/wide.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::config {
namespace {

using uitest::ChooserSeen;
using uitest::FileChooserAnswerer;
using uitest::FolderChooserAnswerer;
using uitest::ScratchFolder;
using win::ToWide;

class Choosers : public ::testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectoryW(MAX_PATH, old_dir_);
    SetCurrentDirectoryW(ToWide(folder_.path()).c_str());
  }
  void TearDown() override { SetCurrentDirectoryW(old_dir_); }

  std::wstring CurrentDirectory() const {
    wchar_t dir[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, dir);
    return dir;
  }

  ScratchFolder folder_;
  wchar_t old_dir_[MAX_PATH] = {};
  RecordingSink sink_;
};

// What the user types, and what the chooser gives back.
TEST_F(Choosers, FileChooserReturnsTheFullPathWithinItsLimit) {
  uitest::WriteFileBytes(folder_.File("there.ini"), "x");
  const std::wstring here = ToWide(folder_.path()) + L"\\";
  // Names that make full paths of exactly 220 and 221 units.
  const size_t room = 220 - here.size();
  const std::wstring name220 = std::wstring(room - 4, L'n') + L".ini";
  const std::wstring name221 = std::wstring(room - 3, L'n') + L".ini";
  struct Case {
    const char* name;
    ChooseMode mode;
    std::wstring typed;  // empty: cancel
    int result;
    std::wstring path;
    bool warned;
  };
  const Case cases[] = {
      {"open an existing file by its name", ChooseMode::kOpen, L"there.ini", 0, here + L"there.ini", false},
      {"open cancelled", ChooseMode::kOpen, L"", -1, L"", false},
      {"save a new name", ChooseMode::kSave, L"new.ini", 0, here + L"new.ini", false},
      {"save over an existing file, not asked", ChooseMode::kSave, L"there.ini", 0, here + L"there.ini", false},
      {"220 units", ChooseMode::kSave, name220, 0, here + name220, false},
      {"221 units", ChooseMode::kSave, name221, -1, L"", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sink_.messages.clear();
    std::wstring path;
    FileChooserAnswerer answer(L"Choose", c.typed);
    EXPECT_EQ(ChooseFile(nullptr, path, ".\\", L"Choose", c.mode, "*.ini|*.ini||", sink_), c.result);
    ASSERT_TRUE(answer.Join().found);
    EXPECT_EQ(path, c.path);
    EXPECT_EQ(CurrentDirectory() + L"\\", here) << "the current directory stays";
    ASSERT_EQ(sink_.messages.size(), c.warned ? 1u : 0u);
    if (c.warned) {
      EXPECT_EQ(sink_.messages[0].text,
                "Selected full pathname exceeds 256 characters\n\nselect a shorter one");
      EXPECT_EQ(sink_.messages[0].icon, MessageIcon::kWarning);
      EXPECT_EQ(sink_.messages[0].caption, "Config VAULTRINE 1.92");
    }
  }
}

TEST_F(Choosers, SaveChooserProposesVaultrineIniOnlyWhileThereIsNone) {
  for (bool present : {false, true}) {
    SCOPED_TRACE(present ? "present" : "absent");
    if (present) uitest::WriteFileBytes(folder_.File("Vaultrine.ini"), "x");
    for (ChooseMode mode : {ChooseMode::kSave, ChooseMode::kOpen}) {
      std::wstring path;
      FileChooserAnswerer answer(L"Proposal", L"");
      ChooseFile(nullptr, path, ".\\", L"Proposal", mode, "*.ini|*.ini||", sink_);
      const ChooserSeen& seen = answer.Join();
      ASSERT_TRUE(seen.found);
      EXPECT_EQ(seen.proposed_name, mode == ChooseMode::kSave && !present ? "Vaultrine.ini" : "");
    }
  }
}

// As if nobody had listed `folder` since the day before yesterday: the next look
// into it moves its access time.
bool LastListedTwoDaysAgo(const std::string& folder) {
  HANDLE h = CreateFileW(ToWide(folder).c_str(), FILE_WRITE_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t;
  t.LowPart = now.dwLowDateTime;
  t.HighPart = now.dwHighDateTime;
  t.QuadPart -= 2ULL * 24 * 3600 * 10000000;  // 100 ns units
  const FILETIME then{t.LowPart, t.HighPart};
  const bool ok = SetFileTime(h, nullptr, &then, nullptr) != 0;
  CloseHandle(h);
  return ok;
}

TEST_F(Choosers, FolderChooserOpensOnThePreselectedFolder) {
  CreateDirectoryW(ToWide(folder_.File("Other")).c_str(), nullptr);
  CreateDirectoryW(ToWide(folder_.File("Idle")).c_str(), nullptr);
  CreateDirectoryW(ToWide(folder_.File("Idle\\Deep")).c_str(), nullptr);
  const std::string start = folder_.path();
  const std::string deep = folder_.File("Idle\\Deep");
  const std::wstring other = ToWide(folder_.File("Other"));
  struct Case {
    const char* name;
    std::string preselect;
    bool idle_on_the_way;  // "Idle" not listed for two days
    std::wstring select;   // empty: confirm what it opened on
    bool cancel;
    int result;
    std::wstring path;
  };
  const Case cases[] = {
      {"confirmed as opened", start, false, L"", false, 0, ToWide(start)},
      {"behind a folder nobody looked into lately", deep, true, L"", false, 0, ToWide(deep)},
      {"another folder", start, false, other, false, 0, other},
      {"cancelled", start, false, L"", true, -1, L"untouched"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.idle_on_the_way) {
      ASSERT_TRUE(LastListedTwoDaysAgo(folder_.File("Idle")));
    }
    std::wstring path = L"untouched";
    FolderChooserAnswerer answer(c.select, c.cancel);
    EXPECT_EQ(ChooseFolder(nullptr, path, c.preselect), c.result);
    ASSERT_TRUE(answer.Join());
    EXPECT_EQ(path, c.path);
  }
}

}  // namespace
}  // namespace vaultrine::config
