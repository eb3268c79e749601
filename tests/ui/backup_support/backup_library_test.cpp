// The backup library as the engine meets it: loaded by name, called through its
// exports. The suite maps drives M: (VLT_ALPHA), N: and O: (both VLT_TWIN) and P:
// (a root that does not exist) for the volume tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backup_support/vaultrine_exports.h"
#include "common/win/wide.h"
#include "tests/ui/helpers/wine_drives.h"
#include "tests/ui/helpers/exports.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::backup {
namespace {

using uitest::BoxAnswerer;
using uitest::ScratchFolder;
using uitest::WineDrive;
using uitest::Export;
using win::ToWide;

std::wstring CurrentDirectory() {
  wchar_t buf[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, buf);
  return buf;
}

// Each test loads the library afresh, as each engine run does.
class BackupLibrary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new ScratchFolder();
    const struct {
      char letter;
      const char* name;
      const char* label;
    } drives[] = {{'M', "alpha", "VLT_ALPHA"}, {'N', "twin1", "VLT_TWIN"}, {'O', "twin2", "VLT_TWIN"}};
    for (const auto& d : drives) {
      CreateDirectoryW(ToWide(folder_->File(d.name)).c_str(), nullptr);
      drives_.push_back(std::make_unique<WineDrive>(d.letter, folder_->File(d.name), d.label));
    }
    drives_.push_back(std::make_unique<WineDrive>('P', folder_->File("gone"), "VLT_GONE"));
  }
  static void TearDownTestSuite() {
    drives_.clear();
    delete folder_;
    folder_ = nullptr;
  }
  static bool DrivesReady() {
    for (const auto& d : drives_) {
      if (!d->ok()) return false;
    }
    return !drives_.empty();
  }

  void Load() {
    dll_ = LoadLibraryW(L"Vaultrine.dll");
    ASSERT_NE(dll_, nullptr);
    get_translated_text_ = Export<GetTranslatedTextFn>(dll_, "GetTranslatedText");
    get_volume_name_ = Export<GetVolumeNameFn>(dll_, "GetVolumeName");
    get_disc_ = Export<GetDiscFromVolumenameFn>(dll_, "GetDiscFromVolumename");
    check_disc_space_ = Export<CheckDiscSpaceFn>(dll_, "CheckDiscSpace");
    get_file_time_and_size_ = Export<GetFileTimeAndSizeFn>(dll_, "GetFileTimeAndSize");
    ASSERT_TRUE(get_translated_text_ && get_volume_name_ && get_disc_ && check_disc_space_ &&
                get_file_time_and_size_);
  }
  void TearDown() override {
    if (dll_) FreeLibrary(dll_);
  }

  std::string VolumeName(const char* drive) {
    char label[64];
    memset(label, 'x', sizeof(label));
    get_volume_name_(drive, label);
    return std::string(label, strnlen(label, 33));
  }
  std::string Disc(const std::string& wanted) {
    char answer[8] = "zzzzzzz";
    get_disc_(wanted.c_str(), answer);
    return answer;
  }

  static ScratchFolder* folder_;
  static std::vector<std::unique_ptr<WineDrive>> drives_;
  HMODULE dll_ = nullptr;
  GetTranslatedTextFn get_translated_text_ = nullptr;
  GetVolumeNameFn get_volume_name_ = nullptr;
  GetDiscFromVolumenameFn get_disc_ = nullptr;
  CheckDiscSpaceFn check_disc_space_ = nullptr;
  GetFileTimeAndSizeFn get_file_time_and_size_ = nullptr;
};

ScratchFolder* BackupLibrary::folder_ = nullptr;
std::vector<std::unique_ptr<WineDrive>> BackupLibrary::drives_;

HWND MakeWindow(const wchar_t* title) {
  HWND w = CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 120,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(w);
  return w;
}

TEST_F(BackupLibrary, LoadingMinimisesTheEngineWindowAndStartsAFreshFileList) {
  ScratchFolder scratch;
  const std::wstring previous = CurrentDirectory();
  ASSERT_TRUE(SetCurrentDirectoryW(ToWide(scratch.path()).c_str()));
  uitest::WriteFileBytes(scratch.File("Vaultrine_FileList.txt"), "old list\r\n");
  uitest::WriteFileBytes(scratch.File("Vaultrine_ErrorList.txt"), "old errors\r\n");

  HWND engine = MakeWindow(L"C:\\Program Files\\Vaultrine\\vaultrine.exe");
  HWND unrelated = MakeWindow(L"Vaultrine backup notes");
  ASSERT_TRUE(engine && unrelated);
  ASSERT_EQ(GetWindow(unrelated, GW_HWNDNEXT), engine) << "the engine window lies just below";
  Load();
  EXPECT_TRUE(IsIconic(engine));
  EXPECT_FALSE(IsIconic(unrelated));

  EXPECT_FALSE(uitest::FileExists(scratch.File("Vaultrine_FileList.txt")));
  EXPECT_TRUE(uitest::FileExists(scratch.File("Vaultrine_ErrorList.txt")));
  SetCurrentDirectoryW(previous.c_str());
  for (HWND w : {engine, unrelated}) DestroyWindow(w);
}

TEST_F(BackupLibrary, EngineWindowOnTopIsMinimisedToo) {
  HWND engine = MakeWindow(L"c:\\vaultrine\\VaultRine.Exe");
  ASSERT_NE(engine, nullptr);
  SetWindowPos(engine, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Load();
  EXPECT_TRUE(IsIconic(engine));
  DestroyWindow(engine);
}

TEST_F(BackupLibrary, VolumeNamesOfMappedDrives) {
  ASSERT_TRUE(DrivesReady());
  Load();
  const std::wstring before = CurrentDirectory();
  const struct {
    const char* drive;
    const char* label;
  } cases[] = {
      {"M:", "VLT_ALPHA"}, {"m", "VLT_ALPHA"}, {"n:\\anything", "VLT_TWIN"}, {"O", "VLT_TWIN"},
      {"1:", ""},          {"", ""},           {"Q:", ""},  // Q: is not mapped
      {"P:", ""},  // its root does not exist
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drive);
    EXPECT_EQ(VolumeName(c.drive), c.label);
    EXPECT_EQ(CurrentDirectory(), before);
  }
}

TEST_F(BackupLibrary, DiscFromVolumeNameFindsOnlyUniqueLabels) {
  ASSERT_TRUE(DrivesReady());
  Load();
  const std::wstring before = CurrentDirectory();
  const struct {
    const char* wanted;
    const char* answer;
  } cases[] = {
      {"VLT_ALPHA", "M"}, {"VLT_TWIN", "?"}, {"vlt_alpha", "?"}, {"VLT_NOWHERE", "?"}, {"VLT_GONE", "?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.wanted);
    EXPECT_EQ(Disc(c.wanted), c.answer);
    EXPECT_EQ(CurrentDirectory(), before);
  }
}

TEST_F(BackupLibrary, ShortSpaceAsksTheSlotQuestion) {
  ASSERT_TRUE(DrivesReady());
  Load();
  // "Il reste %s octets sur %s, il en faut %s. Continuer ?" with an accent, as UTF-8.
  get_translated_text_("Il reste %s octets sur %s ; il en faut %s. Continuer malgr\xC3\xA9 tout ?", 9000);
  const char* huge = "999999999999999999";
  for (const int button : {IDNO, IDYES}) {
    SCOPED_TRACE(button);
    BoxAnswerer answer(L"", button);  // no result window yet: the caption is empty
    const int result = check_disc_space_("m:/data/set1", huge);
    const uitest::BoxSeen& seen = answer.Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(result, button == IDNO ? -1 : 0);
    EXPECT_EQ(seen.caption, "");
    const std::string prefix = "Il reste ";
    const std::string tail = " octets sur m:\\ ; il en faut 999999999999999999. Continuer malgr\xC3\xA9 tout ?";
    ASSERT_GT(seen.text.size(), prefix.size() + tail.size()) << seen.text;
    EXPECT_EQ(seen.text.substr(0, prefix.size()), prefix);
    EXPECT_EQ(seen.text.substr(seen.text.size() - tail.size()), tail);
    const std::string free_digits = seen.text.substr(prefix.size(), seen.text.size() - prefix.size() - tail.size());
    EXPECT_EQ(free_digits.find_first_not_of("0123456789"), std::string::npos) << free_digits;
  }
}

TEST_F(BackupLibrary, EnoughSpaceOrUnknownDriveAsksNothing) {
  ASSERT_TRUE(DrivesReady());
  Load();
  get_translated_text_("%s %s %s", 9000);
  const struct {
    const char* path;
    const char* needed;
  } cases[] = {{"m:/data", "1"}, {"m:\\", "-999999999999999999"}, {"m:/", "letters"}, {"Q:/x", "99999999999999999"},
               {"\\\\server\\share", "99999999999999999"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    BoxAnswerer answer(L"", IDYES, 1500);
    EXPECT_EQ(check_disc_space_(c.path, c.needed), 0);
    EXPECT_FALSE(answer.Join().found);
  }
}

TEST_F(BackupLibrary, FileTimeAndSize) {
  Load();
  ScratchFolder scratch;
  const std::string empty = scratch.File("empty.bin");
  const std::string dated = scratch.File("dat\xC3\xA9.txt");
  uitest::WriteFileBytes(empty, "");
  uitest::WriteFileBytes(dated, "12345");
  {
    HANDLE h = CreateFileW(ToWide(dated).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ULARGE_INTEGER t;
    t.QuadPart = 116444736000000000ULL + 10ULL * 10000000ULL;  // 1970-01-01 00:00:10 UTC
    FILETIME ft{t.LowPart, t.HighPart};
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
    CloseHandle(h);
  }
  const struct {
    std::string path;
    int result;
    const char* time;  // null: any digits
    const char* size;
  } cases[] = {
      {empty, 0, nullptr, "0"},
      {dated, 0, "10", "5"},
      {scratch.path(), 1, nullptr, nullptr},
      {scratch.File("missing.txt"), -1, "0", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    char time_text[16];
    char size_text[16];
    memset(time_text, 'x', sizeof(time_text));
    memset(size_text, 'x', sizeof(size_text));
    EXPECT_EQ(get_file_time_and_size_(ToWide(c.path).c_str(), time_text, size_text), c.result);
    const std::string t(time_text, strnlen(time_text, sizeof(time_text)));
    const std::string s(size_text, strnlen(size_text, sizeof(size_text)));
    ASSERT_LT(t.size(), 16u);
    ASSERT_LT(s.size(), 16u);
    EXPECT_FALSE(t.empty());
    EXPECT_EQ(t.find_first_not_of("0123456789"), std::string::npos) << t;
    EXPECT_EQ(s.find_first_not_of("0123456789"), std::string::npos) << s;
    if (c.time) {
      EXPECT_EQ(t, c.time);
    }
    if (c.size) {
      EXPECT_EQ(s, c.size);
    }
  }
}

}  // namespace
}  // namespace vaultrine::backup
