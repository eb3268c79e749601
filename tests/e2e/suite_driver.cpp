#include "tests/e2e/suite_driver.h"

#include <zlib.h>

#include <algorithm>

#include "common/win/wide.h"
#include "launcher/resource.h"

namespace vaultrine::uitest {

using win::FromWide;
using win::ToWide;

namespace {

constexpr wchar_t kLauncherCaption[] = L"VAULTRINE 1.92";

void Below(const std::string& root, const std::string& relative, std::vector<std::string>& out) {
  WIN32_FIND_DATAW found;
  const std::string here = relative.empty() ? root : root + "\\" + relative;
  HANDLE find = FindFirstFileW(ToWide(here + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = FromWide(found.cFileName);
    if (name == "." || name == "..") continue;
    const std::string path = relative.empty() ? name : relative + "\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Below(root, path, out);
    } else {
      out.push_back(path);
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

bool MakeFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3); ; at = path.find('\\', at + 1)) {
    CreateDirectoryW(ToWide(path.substr(0, at)).c_str(), nullptr);
    if (at == std::string::npos) break;
  }
  return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::vector<std::string> FilesBelow(const std::string& folder) {
  std::vector<std::string> files;
  Below(folder, "", files);
  std::sort(files.begin(), files.end());
  return files;
}

bool RemoveTree(const std::string& folder) {
  for (const std::string& f : FilesBelow(folder)) {
    const std::wstring path = ToWide(folder + "\\" + f);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
  }
  // Deepest folders first: a folder's path is longer than its parent's.
  std::vector<std::string> folders;
  std::function<void(const std::string&)> walk = [&](const std::string& at) {
    folders.push_back(at);
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(ToWide(at + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
      const std::string name = FromWide(found.cFileName);
      if (name != "." && name != ".." && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) walk(at + "\\" + name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
  };
  walk(folder);
  std::sort(folders.begin(), folders.end(), [](const auto& a, const auto& b) { return a.size() > b.size(); });
  for (const std::string& f : folders) RemoveDirectoryW(ToWide(f).c_str());
  return GetFileAttributesW(ToWide(folder).c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool AssembleProgramFolder(const std::string& folder) {
  wchar_t from[MAX_PATH] = {};
  const bool given = GetEnvironmentVariableW(L"VAULTRINE_PROGRAM_FROM", from, MAX_PATH) > 0;
  const std::string built = given ? FromWide(from) : BinFolder() + "\\..\\programfolder";
  bool ok = MakeFolders(folder);
  for (const std::string& f : FilesBelow(built)) {
    const size_t slash = f.find_last_of('\\');
    if (slash != std::string::npos) MakeFolders(folder + "\\" + f.substr(0, slash));
    ok = CopyFileTo(built + "\\" + f, folder + "\\" + f) && ok;
  }
  for (const char* engine : {"Vaultrine.exe", "Revivalis.exe"}) {
    if (!FileExists(folder + "\\" + engine)) ok = CopyFileTo(BinFolder() + "\\" + engine, folder + "\\" + engine) && ok;
  }
  return ok;
}

HWND FindWindowHolding(std::initializer_list<int> ids) {
  return FindProcessWindowWhere(0, [&](HWND w) {
    return std::all_of(ids.begin(), ids.end(), [&](int id) { return GetDlgItem(w, id) != nullptr; });
  });
}

std::string DesktopWindows() {
  std::string out;
  FindProcessWindowWhere(0, [&](HWND w) {
    wchar_t text[256] = {}, cls[64] = {};
    GetWindowTextW(w, text, 256);
    GetClassNameW(w, cls, 64);
    out += "[" + FromWide(cls) + "] " + FromWide(text) + "\n";
    return false;
  });
  return out;
}

bool Gunzip(const std::string& gz, std::string& out) {
  z_stream s{};
  if (inflateInit2(&s, 16 + MAX_WBITS) != Z_OK) return false;
  s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gz.data()));
  s.avail_in = static_cast<uInt>(gz.size());
  out.clear();
  int status = Z_OK;
  char chunk[16384];
  while (status == Z_OK) {
    s.next_out = reinterpret_cast<Bytef*>(chunk);
    s.avail_out = sizeof chunk;
    status = inflate(&s, Z_NO_FLUSH);
    out.append(chunk, sizeof chunk - s.avail_out);
  }
  inflateEnd(&s);
  return status == Z_STREAM_END && s.avail_in == 0;
}

bool DemoMode() { return GetEnvironmentVariableW(L"VAULTRINE_DEMO_OUT", nullptr, 0) > 0; }

void Shot(const std::string& name, std::initializer_list<HWND> windows) {
  wchar_t out[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"VAULTRINE_DEMO_OUT", out, MAX_PATH)) return;
  Sleep(700);  // let it paint
  RECT r{};
  for (HWND window : windows) {
    RECT w{};
    if (window && GetWindowRect(window, &w)) UnionRect(&r, &r, &w);
  }
  if (IsRectEmpty(&r)) return;
  const std::string request = FromWide(out) + "\\shot.request";
  WriteFileBytes(request + ".part", name + " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                                        std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top) +
                                        "\n");
  MoveFileExW(ToWide(request + ".part").c_str(), ToWide(request).c_str(), MOVEFILE_REPLACE_EXISTING);
  WaitUntil([&] { return !FileExists(request); }, 20000);
}

bool LauncherDriver::Start() {
  program_ = std::make_unique<StartedProgram>(L"\"" + ToWide(folder_ + "\\TopVaultrine.exe") + L"\"", folder_);
  if (!program_->started()) return false;
  return WaitUntil([&] { return (main_ = FindProcessWindow(L"#32770", kLauncherCaption, program_->id())) != nullptr; });
}

void LauncherDriver::Click(int x, int y) {
  PostMessageW(main_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  PostMessageW(main_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(main_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

bool LauncherDriver::WaitRestored(int timeout_ms) const {
  return WaitUntil([&] { return IsWindowVisible(main_) && !IsIconic(main_); }, timeout_ms);
}

void LauncherDriver::ChooseLanguage(int index) {
  HWND list = GetDlgItem(main_, IDC_LAUNCHER_LANGUAGE);
  SendMessageW(list, CB_SETCURSEL, index, 0);
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDC_LAUNCHER_LANGUAGE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

int LauncherDriver::LanguageShown() const {
  return static_cast<int>(SendMessageW(GetDlgItem(main_, IDC_LAUNCHER_LANGUAGE), CB_GETCURSEL, 0, 0));
}

int LauncherDriver::Close() {
  PostMessageW(main_, WM_COMMAND, IDCANCEL, 0);
  const DWORD code = program_->Wait(10000);
  return code == STILL_ACTIVE ? -1 : static_cast<int>(code);
}

}  // namespace vaultrine::uitest
