// What ships, under Wine: the stripped program folder of the test's own architecture
// still loads and runs, and the installer puts the 32-bit program folder in place and
// takes it away again without touching the user's files. The 64-bit build uses the twin
// of the installer that make installer builds on NSIS's 64-bit stub from the same script
// and the same payload; the i686 build (under the WoW64 Wine) uses the real one.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/win/wide.h"
#include "launcher/resource.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine {
namespace {

using uitest::FileExists;
using uitest::ReadFileBytes;
using uitest::ScratchFolder;
using uitest::StartedProgram;
using uitest::WaitUntil;
using uitest::WriteFileBytes;
using win::FromWide;
using win::ToWide;

#ifdef _WIN64
const char kProgramFolder[] = "dist-x64";
const char kSetup[] = "build/installer/wine-twin/VaultrineSuite-1.92-setup.exe";
#else
const char kProgramFolder[] = "dist";
const char kSetup[] = "build/installer/VaultrineSuite-1.92-setup.exe";
#endif
const char kCatalog[] = "locale\\gui\\LC_MESSAGES\\vaultrine.mo";
const char kParked[] = "locale\\gui\\LC_MESSAGES\\vaultrine.mo.EN";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VaultrineSuite";

// The source tree, seen through Wine's drive Z:.
std::string SourcePath(const std::string& relative) {
  std::string path = "Z:" VAULTRINE_SOURCE_DIR "/" + relative;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// Relative paths of every file under `folder`, with backslashes.
void ListFiles(const std::string& folder, const std::string& prefix, std::set<std::string>& out) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(ToWide(folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = FromWide(data.cFileName);
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ListFiles(folder + "\\" + name, prefix + name + "\\", out);
    } else {
      out.insert(prefix + name);
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

std::set<std::string> FilesUnder(const std::string& folder) {
  std::set<std::string> files;
  ListFiles(folder, "", files);
  return files;
}

// Exported names of a .def file.
std::vector<std::string> DefExports(const std::string& def_path) {
  std::ifstream in(ToWide(def_path).c_str());
  std::vector<std::string> names;
  std::string line;
  bool exports = false;
  while (std::getline(in, line)) {
    line.erase(0, line.find_first_not_of(" \t"));
    line.erase(line.find_last_not_of(" \t\r") + 1);
    if (line.rfind("EXPORTS", 0) == 0) {
      exports = true;
    } else if (exports && !line.empty() && line[0] != ';') {
      names.push_back(line.substr(0, line.find_first_of(" \t@=")));
    }
  }
  return names;
}

std::wstring Quoted(const std::string& path) { return L"\"" + ToWide(path) + L"\""; }

// Same content; says only whether, since the files are binaries.
::testing::AssertionResult SameBytes(const std::string& file, const std::string& expected) {
  const std::string bytes = ReadFileBytes(file);
  if (bytes == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << file << ": " << bytes.size() << " bytes, not the expected "
                                       << expected.size();
}

// --- The stripped program folder --------------------------------------------

TEST(ProgramFolder, StrippedLibrariesLoadAndExportEveryFunction) {
  ScratchFolder scratch;  // the libraries write their lists into the current folder
  wchar_t old_dir[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, old_dir);
  SetCurrentDirectoryW(ToWide(scratch.path()).c_str());
  const std::map<std::string, std::string> libraries = {
      {"Vaultrine.dll", "backup_support/Vaultrine.def"},
      {"RestoreVaultrine.dll", "restore_support/RestoreVaultrine.def"}};
  std::size_t checked = 0;
  for (const auto& [dll, def] : libraries) {
    SCOPED_TRACE(dll);
    const std::vector<std::string> names = DefExports(SourcePath(def));
    checked += names.size();
    HMODULE module = LoadLibraryW(ToWide(SourcePath(std::string(kProgramFolder) + "/" + dll)).c_str());
    ASSERT_NE(module, nullptr) << "error " << GetLastError();
    for (const std::string& name : names) {
      EXPECT_NE(GetProcAddress(module, name.c_str()), nullptr) << name;
    }
    FreeLibrary(module);
  }
  EXPECT_GT(checked, 0u) << "no export read from the .def files";
  SetCurrentDirectoryW(old_dir);
}

// Starts the launcher of `folder` from that folder, as the Start-menu shortcut does,
// checks the language its language list shows first, and closes it.
void ExpectLauncherStartsIn(const std::string& folder, const wchar_t* language) {
  StartedProgram launcher(Quoted(folder + "\\TopVaultrine.exe"), folder);
  ASSERT_TRUE(launcher.started());
  HWND h = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (h = uitest::FindProcessWindow(L"#32770", L"VAULTRINE 1.92", launcher.id())) != nullptr;
  }));
  wchar_t text[32] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(GetDlgItem(h, IDC_LAUNCHER_LANGUAGE), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  EXPECT_EQ(std::wstring(text), language);
  PostMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_EQ(launcher.Wait(15000), 0u);
}

TEST(ProgramFolder, StrippedLauncherStartsInFrenchWithItsCatalogAndEnds) {
  const std::string folder = SourcePath(kProgramFolder);
  ASSERT_TRUE(FileExists(folder + "\\" + kCatalog)) << kProgramFolder << " ships the catalog in place";
  ExpectLauncherStartsIn(folder, L"Fran\u00E7ais");
}

// --- The installer ------------------------------------------------------------------

std::string SetupPath() { return SourcePath(kSetup); }

std::wstring RegistryText(const wchar_t* value) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof buffer;
  if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, value, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return L"<absent>";
  }
  return buffer;
}

bool UninstallEntryExists() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string ShortcutPath() {
  wchar_t programs[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
  return FromWide(programs) + "\\Vaultrine 1.92.lnk";
}

struct Shortcut {
  std::string target;
  std::string folder;
};

Shortcut ReadShortcut(const std::string& path) {
  Shortcut result;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return result;
  }
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(ToWide(path).c_str(), STGM_READ))) {
      wchar_t text[MAX_PATH] = {};
      if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0))) result.target = FromWide(text);
      if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) result.folder = FromWide(text);
    }
    file->Release();
  }
  link->Release();
  return result;
}

class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    dist_ = SourcePath("dist");
    shipped_ = FilesUnder(dist_);
    ASSERT_TRUE(shipped_.count("TopVaultrine.exe")) << "run make dist first";
    ASSERT_TRUE(FileExists(SetupPath())) << "run make installer (with its Wine twin) first";
    ASSERT_FALSE(UninstallEntryExists()) << "a previous run left the suite installed";
  }
  void TearDown() override { CoUninitialize(); }

  // /S: no questions; /D= comes last and is never quoted, even with blanks.
  void Install(const std::string& folder, const char* language) {
    StartedProgram setup(Quoted(SetupPath()) + L" /S /LANG=" + ToWide(language) + L" /D=" + ToWide(folder),
                         "");
    ASSERT_TRUE(setup.started());
    ASSERT_EQ(setup.Wait(60000), 0u);
  }

  // The uninstaller copies itself away and returns at once; its copy does the work.
  void Uninstall(const std::string& folder) {
    StartedProgram uninstaller(Quoted(folder + "\\Uninstall.exe") + L" /S", folder);
    ASSERT_TRUE(uninstaller.started());
    ASSERT_EQ(uninstaller.Wait(60000), 0u);
    ASSERT_TRUE(WaitUntil([&] { return !UninstallEntryExists() && !FileExists(folder + "\\Uninstall.exe"); },
                          60000));
  }

  // The installed files are the shipped ones, byte for byte, the catalog under the
  // name that sets the language; plus the uninstaller.
  void ExpectInstalled(const std::string& folder, const std::string& catalog_name,
                       const std::set<std::string>& kept_as_they_were) {
    std::set<std::string> expected;
    for (const std::string& file : shipped_) {
      if (kept_as_they_were.count(file)) continue;
      const std::string installed = file == kCatalog ? catalog_name : file;
      expected.insert(installed);
      EXPECT_TRUE(SameBytes(folder + "\\" + installed, ReadFileBytes(dist_ + "\\" + file)));
    }
    expected.insert("Uninstall.exe");
    std::set<std::string> present = FilesUnder(folder);
    for (const std::string& file : kept_as_they_were) present.erase(file);
    EXPECT_EQ(present, expected);

    const Shortcut shortcut = ReadShortcut(ShortcutPath());
    EXPECT_EQ(shortcut.target, folder + "\\TopVaultrine.exe");
    EXPECT_EQ(shortcut.folder, folder) << "the launcher finds its catalog from its current folder";
    EXPECT_EQ(RegistryText(L"DisplayName"), L"Vaultrine 1.92");
    EXPECT_EQ(RegistryText(L"DisplayVersion"), L"1.92");
    EXPECT_EQ(RegistryText(L"InstallLocation"), ToWide(folder));
    EXPECT_EQ(RegistryText(L"UninstallString"), Quoted(folder + "\\Uninstall.exe"));
  }

  std::string dist_;
  std::set<std::string> shipped_;
};

// A folder that already holds an engine and, later, the user's own files: the update
// keeps the language the user chose, and the uninstaller takes away exactly what the
// installer brought.
TEST_F(Installer, UpdateAndUninstallKeepTheUsersFilesAndEngines) {
  ScratchFolder scratch;
  const std::string folder = scratch.File("Vaultrine");
  CreateDirectoryW(ToWide(folder).c_str(), nullptr);
  // The engines are installed apart; the installer neither brings nor replaces them.
  const std::map<std::string, std::string> engines = {{"Revivalis.exe", "the restore engine that was there before"},
                                                      {"Vaultrine.exe", "the backup engine that was there before"}};
  for (const auto& [name, bytes] : engines) WriteFileBytes(folder + "\\" + name, bytes);

  Install(folder, "fr");
  ExpectInstalled(folder, kCatalog, {"Revivalis.exe", "Vaultrine.exe"});
  for (const auto& [name, bytes] : engines) EXPECT_TRUE(SameBytes(folder + "\\" + name, bytes)) << name << " stays";

  // A season of use: settings, lists, reports, archives, the database, and English
  // chosen in the launcher (the catalog parked).
  const std::map<std::string, std::string> users_files = {
      {"Vaultrine.ini", "\xEF\xBB\xBF[general]\r\nov_obsolete=1\r\n"},
      {"Vaultrine.ini.OLD", "previous settings"},
      {"Office.ini", "another parameter file"},
      {"Vaultrine.sqlite", std::string("SQLite format 3\0", 16)},
      {"Vaultrine_FileList.txt", "\xEF\xBB\xBFNew: C:\\a.txt\r\n"},
      {"Vaultrine_ErrorList.txt", "\xEF\xBB\xBF" "Error: C:\\b.txt\r\n"},
      {"Lapsarium_FileList.txt", "\xEF\xBB\xBF" "Days \tObsolete files    \r\n"},
      {"DecryptList.txt", "\xEF\xBB\xBFkey=k\r\n"},
      {"Revivalis_FileList.txt", "\xEF\xBB\xBF" "Standard  :    C:\\a.txt\r\n"},
      {"OFFICE_06-12-26_17-45_Details.gz", "\x1F\x8B"},
      {"locale\\gui\\LC_MESSAGES\\notes.txt", "the user's own file beside the catalog"}};
  for (const auto& [name, bytes] : users_files) WriteFileBytes(folder + "\\" + name, bytes);
  ASSERT_TRUE(MoveFileW(ToWide(folder + "\\" + kCatalog).c_str(), ToWide(folder + "\\" + kParked).c_str()));

  Install(folder, "fr");
  std::set<std::string> kept = {"Revivalis.exe", "Vaultrine.exe"};
  for (const auto& entry : users_files) kept.insert(entry.first);
  ExpectInstalled(folder, kParked, kept);
  for (const auto& [name, bytes] : users_files) EXPECT_EQ(ReadFileBytes(folder + "\\" + name), bytes) << name;

  Uninstall(folder);
  std::set<std::string> expected_left = kept;
  EXPECT_EQ(FilesUnder(folder), expected_left);
  for (const auto& [name, bytes] : users_files) EXPECT_EQ(ReadFileBytes(folder + "\\" + name), bytes) << name;
  for (const auto& [name, bytes] : engines) EXPECT_TRUE(SameBytes(folder + "\\" + name, bytes)) << name;
  EXPECT_FALSE(FileExists(ShortcutPath()));
  EXPECT_FALSE(UninstallEntryExists());
}

// A fresh installation in English into a folder with a blank in its name, then an
// uninstall that leaves nothing behind, not even the folder.
TEST_F(Installer, FreshEnglishInstallThenUninstallLeavesNothing) {
  ScratchFolder scratch;
  const std::string folder = scratch.File("Backup Suite");

  Install(folder, "en");
  ExpectInstalled(folder, kParked, {});
#ifndef _WIN64
  // The installed folder is the 32-bit one: only the i686 run (WoW64 Wine) can start it.
  ExpectLauncherStartsIn(folder, L"English");
#endif

  Uninstall(folder);
  EXPECT_FALSE(FileExists(folder));
  EXPECT_FALSE(FileExists(ShortcutPath()));
  EXPECT_FALSE(UninstallEntryExists());
}

}  // namespace
}  // namespace vaultrine
