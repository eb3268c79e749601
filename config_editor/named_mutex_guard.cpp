#include "config_editor/named_mutex_guard.h"

#include <algorithm>

#include "common/win/wide.h"
#include "config_editor/core/message_sink.h"

namespace vaultrine::config {

namespace {

// The full path as the file system compares names: relative parts and short
// names resolved where the file or its folder exists, one case for every letter.
std::wstring Normalised(const std::string& path) {
  const std::wstring wide = win::ToWide(path);
  std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
  full.resize(GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
  if (full.empty()) full = wide;
  auto long_form = [](const std::wstring& p) {
    std::wstring out(GetLongPathNameW(p.c_str(), nullptr, 0), L'\0');
    out.resize(out.empty() ? 0 : GetLongPathNameW(p.c_str(), out.data(), static_cast<DWORD>(out.size())));
    return out;
  };
  std::wstring resolved = long_form(full);
  if (resolved.empty()) {
    // A new file: its folder exists.
    const size_t sep = full.find_last_of(L'\\');
    if (sep != std::wstring::npos) {
      const std::wstring folder = long_form(full.substr(0, sep));
      if (!folder.empty()) resolved = folder + full.substr(sep);
    }
  }
  if (resolved.empty()) resolved = full;
  std::wstring upper(resolved.size(), L'\0');
  const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, resolved.c_str(),
                              static_cast<int>(resolved.size()), upper.data(), static_cast<int>(upper.size()),
                              nullptr, nullptr, 0);
  return n > 0 ? upper.substr(0, static_cast<size_t>(n)) : resolved;
}

struct HolderSearch {
  std::wstring name;
  DWORD own_process;
  HWND found;
};

BOOL CALLBACK FindHolder(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<HolderSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->own_process) return TRUE;
  const std::string caption = win::GetWindowTextUtf8(window);
  const std::string prefix = std::string(kEditorCaption) + " - ";
  if (caption.size() <= prefix.size() || caption.compare(0, prefix.size(), prefix) != 0) return TRUE;
  if (NamedMutexGuard::MutexName(caption.substr(prefix.size())) != search->name) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::wstring NamedMutexGuard::MutexName(const std::string& parameter_path) {
  const std::wstring normalised = Normalised(parameter_path);
  return win::ToWide(GuardName(std::u16string(normalised.begin(), normalised.end())));
}

NamedMutexGuard::~NamedMutexGuard() { KeepOnly("", ""); }

bool NamedMutexGuard::Take(const std::string& parameter_path) {
  const std::wstring name = MutexName(parameter_path);
  if (std::any_of(held_.begin(), held_.end(), [&](const Held& h) { return h.name == name; })) return true;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  // Without a mutex no editor can tell: going on is what the editor did before.
  if (!mutex) return true;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  held_.push_back({name, mutex});
  return true;
}

void NamedMutexGuard::KeepOnly(const std::string& first, const std::string& second) {
  const std::wstring keep[] = {first.empty() ? L"" : MutexName(first), second.empty() ? L"" : MutexName(second)};
  held_.erase(std::remove_if(held_.begin(), held_.end(),
                             [&](const Held& h) {
                               if (h.name == keep[0] || h.name == keep[1]) return false;
                               CloseHandle(h.mutex);
                               return true;
                             }),
              held_.end());
}

void NamedMutexGuard::ShowHolder(const std::string& parameter_path) {
  HolderSearch search{MutexName(parameter_path), GetCurrentProcessId(), nullptr};
  EnumWindows(FindHolder, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
  // Its end question or message box, when one is open, rather than the window under it.
  SetForegroundWindow(GetLastActivePopup(search.found));
}

}  // namespace vaultrine::config
