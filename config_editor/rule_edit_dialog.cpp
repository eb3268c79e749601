#include "config_editor/rule_edit_dialog.h"

#include <string>

#include "common/message_keys.h"
#include "common/win/message_box_sink.h"
#include "common/win/wide.h"
#include "config_editor/choosers.h"
#include "config_editor/core/message_sink.h"

namespace vaultrine::config {

namespace {

// The field is read up to the slot's capacity.
constexpr int kMaxValueUnits = 511;
constexpr const char* kAllFiles = "*.*|*.*||";

void Show(HWND control, bool shown) {
  if (control) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

}  // namespace

RuleEditDialog::RuleEditDialog(EditorContext& context, const RuleDialogSpec& spec, RuleEditSlot& slot)
    : DialogBase(context.instance, spec.template_id), ctx_(context), spec_(spec), slot_(slot) {
  colours_.ColourFieldText();
}

BOOL RuleEditDialog::OnInit() {
  opened_ = true;
  const std::optional<RuleParts> parts = ParseRule(spec_.section, slot_.text);
  if (!parts) {
    ShowSyntaxError(ctx_.sink);
    End(kEditSyntaxError);
    return TRUE;
  }
  parsed_ = *parts;
  win::SetDlgItemTextUtf8(hwnd(), spec_.value, parsed_.value);
  SendMessageW(Item(spec_.value), EM_SETLIMITTEXT, kMaxValueUnits, 0);
  if (spec_.kind) {
    HWND kind = Item(spec_.kind);
    for (const char* key : {"modex_sel1", "modex_sel2"})
      SendMessageW(kind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ctx_.Text(key).c_str()));
    SendMessageW(kind, CB_SETCURSEL, parsed_.kind == RuleKind::kNo ? 1 : 0, 0);
  }
  if (spec_.section == RuleSection::kMd5Compare) Show(Item(spec_.remove), parsed_.kind != RuleKind::kSize);
  HWND position = Item(spec_.position);
  for (int i = 1; i <= slot_.count; ++i)
    SendMessageW(position, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(i).c_str()));
  SendMessageW(position, CB_SETCURSEL, slot_.position, 0);
  SetTexts();
  SetFocus(Item(spec_.value));
  return FALSE;
}

void RuleEditDialog::SetTexts() {
  SetWindowTextW(hwnd(), ctx_.Text(spec_.title_key).c_str());
  const struct {
    int id;
    const char* key;
  } texts[] = {{spec_.folder, "mod_rep"},   {spec_.file, "mod_fil"},     {spec_.remove, "mod_sup"},
               {spec_.validate, "mod_val"}, {spec_.abandon, "mod_aba"},  {spec_.position_label, "mod_pos"},
               {spec_.value_label, "modmd5tx2"}};
  for (const auto& t : texts)
    if (t.id) SetDlgItemTextW(hwnd(), t.id, ctx_.Text(t.key).c_str());
}

bool RuleEditDialog::OnCommand(int id, int notify_code, HWND control) {
  if (id == IDOK) {  // Enter abandons
    End(kEditAbandon);
  } else if (id == IDCANCEL) {  // Escape and the close box leave the rule as it was
    End(kEditValidate);
  } else if (id == spec_.abandon) {
    End(kEditAbandon);
  } else if (id == spec_.remove) {
    End(kEditDelete);
  } else if (id == spec_.validate) {
    Validate();
  } else if (spec_.folder && id == spec_.folder) {
    ChooseFolderValue();
  } else if (spec_.file && id == spec_.file) {
    ChooseFileValue();
  } else {
    return DialogBase::OnCommand(id, notify_code, control);
  }
  return true;
}

void RuleEditDialog::Validate() {
  std::wstring value(kMaxValueUnits + 1, L'\0');
  value.resize(GetDlgItemTextW(hwnd(), spec_.value, value.data(), kMaxValueUnits + 1));
  RuleParts parts;
  parts.value = win::FromWide(value);
  parts.kind = parsed_.kind;
  if (spec_.kind)
    parts.kind = SendMessageW(Item(spec_.kind), CB_GETCURSEL, 0, 0) == 1 ? RuleKind::kNo : RuleKind::kYes;
  const std::string composed = ComposeRule(spec_.section, parts);
  if (!RuleFits(composed)) {
    // Cutting would store another rule than the one typed: the user shortens it.
    win::MessageBoxSink here([this] { return hwnd(); }, true);
    ShowEditorMessage(here, win::FromWide(ctx_.Text(message_keys::kRuleTooLong)), MessageIcon::kWarning);
    SetFocus(Item(spec_.value));
    return;
  }
  slot_.text = composed;
  slot_.position = static_cast<int>(SendMessageW(Item(spec_.position), CB_GETCURSEL, 0, 0));
  End(kEditValidate);
}

void RuleEditDialog::ChooseFolderValue() {
  std::wstring folder;
  if (ChooseFolder(hwnd(), folder, ctx_.program_folder) != 0) return;
  win::SetDlgItemTextUtf8(hwnd(), spec_.value, FolderRuleValue(spec_.section, win::FromWide(folder)));
}

void RuleEditDialog::ChooseFileValue() {
  std::wstring file;
  win::MessageBoxSink here([this] { return hwnd(); }, true);
  if (ChooseFile(hwnd(), file, "", ctx_.Text(message_keys::kChooserTitles[2]), ChooseMode::kOpen, kAllFiles,
                 here) != 0)
    return;
  SetDlgItemTextW(hwnd(), spec_.value, file.c_str());
}

HBRUSH RuleEditDialog::OnCtlColor(HDC dc, HWND control, UINT message) {
  return colours_.Paint(dc, control, message);
}

}  // namespace vaultrine::config
