#include "config_editor/rule_list_page.h"

#include "common/message_keys.h"
#include "common/win/wide.h"
#include "config_editor/core/message_sink.h"
#include "config_editor/resource.h"

namespace vaultrine::config {

namespace keys = message_keys;

RuleListPage::RuleListPage(EditorContext& context, const RuleSectionInfo& row)
    : EditorPage(context, row.page_template), row_(row) {}

BOOL RuleListPage::OnInit() {
  if (const std::optional<ProfileFile> file = ReadInternalFile(true))
    rules_ = RuleList::Load(*file, row_.name, row_.restores_quotes);
  ShowList(rules_.count() - 1);
  SetDlgItemTextW(hwnd(), row_.page.title, ctx_.Text(row_.title_key).c_str());
  SetDlgItemTextW(hwnd(), row_.page.add, ctx_.Text(keys::kListPage.add).c_str());
  SetDlgItemTextW(hwnd(), row_.page.hint, ctx_.Text(keys::kListPage.hint).c_str());
  return EditorPage::OnInit();
}

void RuleListPage::ShowList(int selected) {
  HWND list = Item(row_.page.list);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& rule : rules_.entries())
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::ToWide(rule).c_str()));
  SendMessageW(list, LB_SETCURSEL, selected, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

bool RuleListPage::OnCommand(int id, int notify_code, HWND control) {
  if (id == row_.page.list && notify_code == LBN_DBLCLK) {
    EditSelected();
    return true;
  }
  // Enter on the list edits the selected rule, as a double click does.
  if (id == IDOK && GetFocus() == Item(row_.page.list)) {
    EditSelected();
    return true;
  }
  if (id == row_.page.add && notify_code == BN_CLICKED) {
    Add();
    return true;
  }
  return EditorPage::OnCommand(id, notify_code, control);
}

void RuleListPage::EditSelected() {
  const int selected = static_cast<int>(SendMessageW(Item(row_.page.list), LB_GETCURSEL, 0, 0));
  if (selected < 0 || selected >= rules_.count()) return;
  RuleEditSlot slot = rules_.TakeOut(selected);
  ShowList(-1);
  RuleEditDialog dialog(ctx_, row_, slot);
  const int result = dialog.Edit(ctx_.main);
  const int placed = rules_.PutBack(slot, result);
  ShowList(placed);
  if (result == kEditNotShown)
    ShowEditorMessage(ctx_.sink, win::FromWide(ctx_.Text(keys::kDialogNotShown)), MessageIcon::kError);
}

void RuleListPage::Add() {
  // Include has no placeholder of its own: its new entry is a message text.
  std::string rule = PlaceholderRule(row_.section);
  if (rule.empty()) rule = win::FromWide(ctx_.Text(keys::kIncludeNewEntry));
  if (!rules_.Append(rule)) {
    ShowEditorMessage(ctx_.sink, win::FromWide(ctx_.Text(keys::kListFull)), MessageIcon::kWarning);
    return;
  }
  ShowList(rules_.count() - 1);
  EditSelected();
}

bool RuleListPage::Save() {
  std::optional<ProfileFile> file = ReadInternalFile(false);
  if (!file) return false;
  return rules_.Save(*file, row_.name) || WriteFailed(file->path());
}

}  // namespace vaultrine::config
