#include "config_editor/end_question_dialog.h"

#include "common/message_keys.h"
#include "config_editor/core/message_sink.h"
#include "config_editor/core/shell_rules.h"
#include "config_editor/resource.h"
#include "common/win/wide.h"

namespace vaultrine::config {

EndQuestionDialog::EndQuestionDialog(EditorContext& context, std::string parameter_path)
    : DialogBase(context.instance, IDD_END_QUESTION), ctx_(context), path_(std::move(parameter_path)) {
  colours_.ColourFieldText();
}

BOOL EndQuestionDialog::OnInit() {
  win::SetWindowTextUtf8(hwnd(), kEditorCaption);
  const std::u16string& format = ctx_.messages.LookUpMessage(message_keys::kEndQuestion.question);
  SetDlgItemTextW(hwnd(), IDC_END_TEXT, win::ToWide(EndQuestionText(format, path_)).c_str());
  SetDlgItemTextW(hwnd(), IDC_END_YES, ctx_.Text(message_keys::kEndQuestion.yes).c_str());
  SetDlgItemTextW(hwnd(), IDC_END_NO, ctx_.Text(message_keys::kEndQuestion.no).c_str());
  SetFocus(Item(IDC_END_YES));
  return FALSE;
}

bool EndQuestionDialog::OnCommand(int id, int notify_code, HWND control) {
  switch (id) {
    case IDC_END_YES: End(kSave); return true;
    case IDC_END_NO: End(kDiscard); return true;
    case IDCANCEL: End(kCancelled); return true;
    default: return DialogBase::OnCommand(id, notify_code, control);
  }
}

HBRUSH EndQuestionDialog::OnCtlColor(HDC dc, HWND control, UINT message) {
  return colours_.Paint(dc, control, message);
}

}  // namespace vaultrine::config
