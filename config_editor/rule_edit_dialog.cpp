#include "config_editor/rule_edit_dialog.h"

#include <string>

#include "common/message_keys.h"
#include "common/win/message_box_sink.h"
#include "common/win/wide.h"
#include "config_editor/choosers.h"
#include "config_editor/core/message_sink.h"

namespace vaultrine::config {

namespace {

namespace keys = message_keys;

// The field is read up to the slot's capacity.
constexpr int kMaxValueUnits = 511;
constexpr const char* kAllFiles = "*.*|*.*||";

void Show(HWND control, bool shown) {
  if (control) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

}  // namespace

RuleEditDialog::RuleEditDialog(EditorContext& context, const RuleSectionInfo& row, RuleEditSlot& slot)
    : DialogBase(context.instance, row.dialog_template), ctx_(context), row_(row), ids_(row.dialog), slot_(slot) {
  colours_.ColourFieldText();
}

BOOL RuleEditDialog::OnInit() {
  opened_ = true;
  const std::optional<RuleParts> parts = ParseRule(row_.section, slot_.text);
  if (!parts) {
    ShowSyntaxError(ctx_.sink);
    End(kEditSyntaxError);
    return TRUE;
  }
  parsed_ = *parts;
  win::SetDlgItemTextUtf8(hwnd(), ids_.value, parsed_.value);
  SendMessageW(Item(ids_.value), EM_SETLIMITTEXT, kMaxValueUnits, 0);
  if (ids_.kind) {
    HWND kind = Item(ids_.kind);
    for (const char* key : keys::kExcludeKinds)
      SendMessageW(kind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ctx_.Text(key).c_str()));
    SendMessageW(kind, CB_SETCURSEL, parsed_.kind == RuleKind::kNo ? 1 : 0, 0);
  }
  if (row_.section == RuleSection::kMd5Compare) Show(Item(ids_.remove), parsed_.kind != RuleKind::kSize);
  HWND position = Item(ids_.position);
  for (int i = 1; i <= slot_.count; ++i)
    SendMessageW(position, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(i).c_str()));
  SendMessageW(position, CB_SETCURSEL, slot_.position, 0);
  SetTexts();
  SetFocus(Item(ids_.value));
  return FALSE;
}

void RuleEditDialog::SetTexts() {
  SetWindowTextW(hwnd(), ctx_.Text(row_.edit_title_key).c_str());
  const struct {
    int id;
    const char* key;
  } texts[] = {{ids_.folder, keys::kEditDialog.folder},     {ids_.file, keys::kEditDialog.file},
               {ids_.remove, keys::kEditDialog.remove},     {ids_.validate, keys::kEditDialog.validate},
               {ids_.abandon, keys::kEditDialog.abandon},   {ids_.position_label, keys::kEditDialog.position},
               {ids_.value_label, keys::kMd5ValueLabel}};
  for (const auto& t : texts)
    if (t.id) SetDlgItemTextW(hwnd(), t.id, ctx_.Text(t.key).c_str());
}

bool RuleEditDialog::OnCommand(int id, int notify_code, HWND control) {
  if (id == IDOK) {  // Enter abandons
    End(kEditAbandon);
  } else if (id == IDCANCEL) {  // Escape and the close box leave the rule as it was
    End(kEditValidate);
  } else if (id == ids_.abandon) {
    End(kEditAbandon);
  } else if (id == ids_.remove) {
    End(kEditDelete);
  } else if (id == ids_.validate) {
    Validate();
  } else if (ids_.folder && id == ids_.folder) {
    ChooseFolderValue();
  } else if (ids_.file && id == ids_.file) {
    ChooseFileValue();
  } else {
    return DialogBase::OnCommand(id, notify_code, control);
  }
  return true;
}

void RuleEditDialog::Validate() {
  std::wstring value(kMaxValueUnits + 1, L'\0');
  value.resize(GetDlgItemTextW(hwnd(), ids_.value, value.data(), kMaxValueUnits + 1));
  RuleParts parts;
  parts.value = win::FromWide(value);
  parts.kind = parsed_.kind;
  if (ids_.kind)
    parts.kind = SendMessageW(Item(ids_.kind), CB_GETCURSEL, 0, 0) == 1 ? RuleKind::kNo : RuleKind::kYes;
  const std::string composed = ComposeRule(row_.section, parts);
  if (!RuleFits(composed)) {
    // Cutting would store another rule than the one typed: the user shortens it.
    win::MessageBoxSink here([this] { return hwnd(); }, true);
    ShowEditorMessage(here, win::FromWide(ctx_.Text(keys::kRuleTooLong)), MessageIcon::kWarning);
    SetFocus(Item(ids_.value));
    return;
  }
  slot_.text = composed;
  slot_.position = static_cast<int>(SendMessageW(Item(ids_.position), CB_GETCURSEL, 0, 0));
  End(kEditValidate);
}

void RuleEditDialog::ChooseFolderValue() {
  std::wstring folder;
  if (ChooseFolder(hwnd(), folder, ctx_.program_folder) != 0) return;
  win::SetDlgItemTextUtf8(hwnd(), ids_.value, FolderRuleValue(row_.section, win::FromWide(folder)));
}

void RuleEditDialog::ChooseFileValue() {
  std::wstring file;
  win::MessageBoxSink here([this] { return hwnd(); }, true);
  if (ChooseFile(hwnd(), file, "", ctx_.Text(keys::kChooserTitles[2]), ChooseMode::kOpen, kAllFiles,
                 here) != 0)
    return;
  SetDlgItemTextW(hwnd(), ids_.value, file.c_str());
}

HBRUSH RuleEditDialog::OnCtlColor(HDC dc, HWND control, UINT message) {
  return colours_.Paint(dc, control, message);
}

}  // namespace vaultrine::config
