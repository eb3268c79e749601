#include "tests/ui/config_editor/editor_driver.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "common/win/screen_dpi.h"
#include "common/win/wide.h"
#include "config_editor/resource.h"

namespace vaultrine::uitest {

namespace {

constexpr wchar_t kCaption[] = L"Config VAULTRINE 1.92";

std::string ProgramFolderOfTheBuild() { return BinFolder() + "\\..\\programfolder"; }

bool IsDialogWithCaption(HWND w, const std::wstring& caption) {
  wchar_t cls[16] = {};
  GetClassNameW(w, cls, 16);
  if (wcscmp(cls, L"#32770") != 0) return false;
  wchar_t text[256] = {};
  GetWindowTextW(w, text, 256);
  return caption == text;
}

}  // namespace

EditorDriver::EditorDriver(std::string program_folder) : folder_(std::move(program_folder)) {}

EditorDriver::EditorDriver(const ScratchFolder& folder, bool french) : folder_(folder.path()) {
  const std::string from = ProgramFolderOfTheBuild();
  for (const char* file : {"ConfigVaultrine.exe", "ConfigVaultrine.mes", "Low_Template_TSN.tsn",
                           "High_Template_TSN.tsn"})
    CopyFileTo(from + "\\" + file, folder.File(file));
  if (french) {
    CreateDirectoryW(win::ToWide(folder.File("locale")).c_str(), nullptr);
    CreateDirectoryW(win::ToWide(folder.File("locale\\gui")).c_str(), nullptr);
    CreateDirectoryW(win::ToWide(folder.File("locale\\gui\\LC_MESSAGES")).c_str(), nullptr);
    CopyFileTo(from + "\\locale\\gui\\LC_MESSAGES\\vaultrine.mo",
               folder.File("locale\\gui\\LC_MESSAGES\\vaultrine.mo"));
  }
}

EditorDriver::~EditorDriver() {
  if (attached_) CloseHandle(attached_);
}

bool EditorDriver::FindMain(DWORD process_id) {
  const std::wstring prefix = std::wstring(kCaption) + L" - ";
  return WaitUntil([&] {
    main_ = FindProcessWindowWhere(process_id, [&](HWND w) {
      wchar_t text[512] = {};
      GetWindowTextW(w, text, 512);
      return std::wstring(text).compare(0, prefix.size(), prefix) == 0;
    });
    return main_ != nullptr && page() != nullptr;
  });
}

bool EditorDriver::Launch() {
  program_ = std::make_unique<StartedProgram>(
      L"\"" + win::ToWide(folder_ + "\\ConfigVaultrine.exe") + L"\"", folder_);
  if (!program_->started()) return false;
  process_ = program_->handle();
  id_ = program_->id();
  return true;
}

bool EditorDriver::Start() { return Launch() && FindMain(id_); }

bool EditorDriver::Attach(int timeout_ms) {
  const std::wstring prefix = std::wstring(kCaption) + L" - ";
  HWND found = nullptr;
  if (!WaitUntil([&] {
        found = FindProcessWindowWhere(0, [&](HWND w) {
          wchar_t text[512] = {};
          GetWindowTextW(w, text, 512);
          return std::wstring(text).compare(0, prefix.size(), prefix) == 0;
        });
        return found != nullptr;
      }, timeout_ms))
    return false;
  GetWindowThreadProcessId(found, &id_);
  attached_ = process_ = OpenProcess(PROCESS_ALL_ACCESS, FALSE, id_);
  return process_ != nullptr && FindMain(id_);
}

bool EditorDriver::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

int EditorDriver::WaitForExit(int timeout_ms) {
  if (!process_ || WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<int>(code);
}

HWND EditorDriver::tabs() const { return GetDlgItem(main_, IDC_TABS); }

HWND EditorDriver::page() const { return FindWindowExW(main_, nullptr, L"#32770", nullptr); }

bool EditorDriver::FilePageShown() const {
  HWND p = page();
  return p && GetDlgItem(p, IDC_PARAMETER_PATH) != nullptr;
}

std::string EditorDriver::Caption() const { return TextOf(main_); }

int EditorDriver::TabCount() const {
  return static_cast<int>(SendMessageW(tabs(), TCM_GETITEMCOUNT, 0, 0));
}

int EditorDriver::SelectedTab() const {
  return static_cast<int>(SendMessageW(tabs(), TCM_GETCURSEL, 0, 0));
}

std::wstring EditorDriver::TabLabel(int index) const {
  constexpr int kChars = 128;
  RemoteBuffer remote(process(), sizeof(TCITEMW) + kChars * sizeof(wchar_t));
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + sizeof(TCITEMW));
  item.cchTextMax = kChars;
  remote.Write(&item, sizeof item);
  if (!SendMessageW(tabs(), TCM_GETITEMW, index, remote.lparam())) return L"";
  std::vector<wchar_t> text(kChars + 1, L'\0');
  remote.Read(text.data(), kChars * sizeof(wchar_t), sizeof(TCITEMW));
  return text.data();
}

std::string EditorDriver::PathShown() const {
  return TextOf(GetDlgItem(page(), IDC_PARAMETER_PATH));
}

void EditorDriver::FocusTab(int index) { PostMessageW(tabs(), TCM_SETCURFOCUS, index, 0); }

void EditorDriver::ClickTab(int index) {
  RemoteBuffer remote(process(), sizeof(RECT));
  RECT r{};
  SendMessageW(tabs(), TCM_GETITEMRECT, index, remote.lparam());
  remote.Read(&r, sizeof r);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageW(tabs(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(tabs(), WM_LBUTTONUP, 0, at);
}

void EditorDriver::ClickPage(int x96, int y96) {
  // The pictures sit where the page's dialog units put them, which grows with the screen.
  const int dpi = win::ScreenDpi();
  const int x = ScaleForDpi(x96, dpi), y = ScaleForDpi(y96, dpi);
  HWND p = page();
  PostMessageW(p, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  PostMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(p, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void EditorDriver::ClickAdvanced() { PostMessageW(GetDlgItem(page(), IDC_ADVANCED), BM_CLICK, 0, 0); }

void EditorDriver::PostCommand(int id) { PostMessageW(main_, WM_COMMAND, id, 0); }

bool EditorDriver::WaitForTab(int tab, int timeout_ms) const {
  return WaitUntil([&] {
    return SelectedTab() == tab && page() != nullptr && FilePageShown() == (tab == 0);
  }, timeout_ms);
}

HWND EditorDriver::FindMessageBox() const {
  return FindProcessWindowWhere(id_, [](HWND w) {
    return IsDialogWithCaption(w, kCaption) && GetDlgItem(w, 0xFFFF) && !GetDlgItem(w, IDC_END_TEXT);
  });
}

HWND EditorDriver::FindEndQuestion() const {
  return FindProcessWindowWhere(id_, [](HWND w) {
    return IsDialogWithCaption(w, kCaption) && GetDlgItem(w, IDC_END_TEXT) != nullptr;
  });
}

std::unique_ptr<BoxAnswerer> EditorDriver::AnswerBox(int button, int timeout_ms) const {
  return std::make_unique<BoxAnswerer>([this] { return FindMessageBox(); }, button, timeout_ms);
}

}  // namespace vaultrine::uitest
