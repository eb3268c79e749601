#include "choosers.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

namespace vaultrine::win {

std::optional<std::wstring> RunFileChooser(const FileChooserRequest& request) {
  // Room for any path the dialog can return; callers judge the length themselves.
  std::vector<wchar_t> buffer(32768, L'\0');
  request.proposed_name.copy(buffer.data(), buffer.size() - 1);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = request.owner;
  ofn.lpstrFilter = request.filter.empty() ? nullptr : request.filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = request.initial_folder.empty() ? nullptr : request.initial_folder.c_str();
  ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  if (!request.save) ofn.Flags |= OFN_FILEMUSTEXIST;
  const BOOL ok = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return std::nullopt;
  return std::wstring(buffer.data());
}

namespace {

int CALLBACK SelectAtStart(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data)
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

// Wine's chooser finds the folder to select by comparing item lists byte for byte,
// access times included, and reads its own list of a folder only after its parse of
// the path has looked into that folder, which can move the folder's access time.
// One parse beforehand makes those first looks, so both lists then agree.
void SettleAccessTimes(const std::wstring& path) {
  PIDLIST_ABSOLUTE pidl = nullptr;
  if (SUCCEEDED(SHParseDisplayName(path.c_str(), nullptr, &pidl, 0, nullptr))) CoTaskMemFree(pidl);
}

struct ComScope {
  ComScope() : ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() { if (ok) CoUninitialize(); }
  bool ok;
};

}  // namespace

std::optional<std::wstring> RunFolderChooser(HWND owner, const std::wstring& preselect, const std::wstring& title) {
  const ComScope com;
  PIDLIST_ABSOLUTE root = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &root))) return std::nullopt;
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = root;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpszTitle = title.empty() ? nullptr : title.c_str();
  info.lpfn = SelectAtStart;
  info.lParam = preselect.empty() ? 0 : reinterpret_cast<LPARAM>(preselect.c_str());
  if (!preselect.empty()) SettleAccessTimes(preselect);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  std::optional<std::wstring> path;
  if (chosen) {
    wchar_t buffer[MAX_PATH] = {};
    if (SHGetPathFromIDListW(chosen, buffer)) path = std::wstring(buffer);
    CoTaskMemFree(chosen);
  }
  CoTaskMemFree(root);
  return path;
}

}  // namespace vaultrine::win
