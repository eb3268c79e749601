#include "tests/ui/config_editor/page_driver.h"

#include "common/win/wide.h"

namespace vaultrine::uitest {

bool PageDriver::Go(int tab, int control) {
  editor_.FocusTab(tab);
  // The tab is selected before the page under it changes.
  return editor_.WaitForTab(tab) && WaitUntil([&] { return GetDlgItem(editor_.page(), control) != nullptr; });
}

std::vector<std::string> PageDriver::Shown(const RulePage& p) const { return ListBoxEntries(List(p)); }

int PageDriver::Selected(const RulePage& p) const {
  return static_cast<int>(SendMessageW(List(p), LB_GETCURSEL, 0, 0));
}

HWND PageDriver::FindDialog(const RulePage& p) const {
  return FindProcessWindowWhere(GetProcessId(editor_.process()), [&](HWND w) {
    return IsWindowVisible(w) && GetDlgItem(w, p.value) && GetDlgItem(w, p.position);
  });
}

HWND PageDriver::Open(const RulePage& p, int index, int timeout_ms) {
  SendMessageW(List(p), LB_SETCURSEL, index, 0);
  PostMessageW(editor_.page(), WM_COMMAND, MAKEWPARAM(p.list, LBN_DBLCLK), reinterpret_cast<LPARAM>(List(p)));
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(p)) != nullptr; }, timeout_ms);
  return dialog;
}

HWND PageDriver::Add(const RulePage& p) {
  Press(editor_.page(), p.list + 1);
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(p)) != nullptr; });
  return dialog;
}

bool PageDriver::AddRule(const RulePage& p, const std::string& value, int kind) {
  HWND dialog = Add(p);
  if (!dialog) return false;
  Type(dialog, p.value, value);
  if (kind >= 0) Choose(dialog, IDC_EXCLUDE_KIND, kind);
  return End(dialog, p.validate);
}

void PageDriver::Press(HWND window, int id) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

bool PageDriver::End(HWND dialog, int id) {
  Press(dialog, id);
  return WaitUntil([&] { return !IsWindow(dialog); });
}

void PageDriver::Type(HWND window, int id, const std::string& text) {
  SendMessageW(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win::ToWide(text).c_str()));
}

std::string PageDriver::Field(HWND window, int id) { return TextOf(GetDlgItem(window, id)); }

void PageDriver::Choose(HWND dialog, int combo, int index) {
  SendMessageW(GetDlgItem(dialog, combo), CB_SETCURSEL, index, 0);
}

int PageDriver::Chosen(HWND dialog, int combo) {
  return static_cast<int>(SendMessageW(GetDlgItem(dialog, combo), CB_GETCURSEL, 0, 0));
}

int PageDriver::Choices(HWND dialog, int combo) {
  return static_cast<int>(SendMessageW(GetDlgItem(dialog, combo), CB_GETCOUNT, 0, 0));
}

bool PageDriver::NewAdvancedFile(const std::string& path) {
  editor_.ClickAdvanced();
  if (!WaitUntil([&] { return editor_.TabCount() == config::kAdvancedTabCount && editor_.FilePageShown(); }))
    return false;
  FileChooserAnswerer chooser(L"New parameter file", win::ToWide(path.substr(path.rfind('\\') + 1)),
                              editor_.process());
  editor_.ClickPage(810, 80);  // the new-file picture
  if (!chooser.Join().found) return false;
  return WaitUntil([&] { return editor_.PathShown() == path; });
}

int PageDriver::CloseSaving() {
  PostMessageW(editor_.tabs(), WM_KEYDOWN, VK_ESCAPE, 0);
  HWND question = nullptr;
  if (!WaitUntil([&] { return (question = editor_.FindEndQuestion()) != nullptr; })) return -1;
  PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDC_END_YES, BN_CLICKED), 0);
  return editor_.WaitForExit();
}

}  // namespace vaultrine::uitest
