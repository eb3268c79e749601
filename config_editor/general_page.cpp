#include "config_editor/general_page.h"

#include "common/message_keys.h"
#include "common/raw_value.h"
#include "common/text_encoding.h"
#include "common/win/wide.h"
#include "config_editor/choosers.h"
#include "config_editor/core/general_values.h"
#include "config_editor/core/message_sink.h"
#include "config_editor/core/profile_file.h"
#include "config_editor/resource.h"

namespace vaultrine::config {

namespace {

// Labels in the order of the message keys gen_01 to gen_08.
constexpr int kLabels[] = {IDC_GENERAL_GROUP, IDC_DESTINATION_LABEL, IDC_VOLUME_LABEL,  IDC_DELAY_LABEL,
                           IDC_DAYS_LABEL,    IDC_KEY_LABEL,         IDC_SUMMARY_LABEL, IDC_RESTORE_LABEL};

std::string FieldText(HWND page, int id) { return win::GetWindowTextUtf8(GetDlgItem(page, id)); }

}  // namespace

GeneralPage::GeneralPage(EditorContext& context) : EditorPage(context, IDD_GENERAL_PAGE) {}

BOOL GeneralPage::OnInit() {
  const std::optional<ProfileFile> file = ReadInternalFile(true);
  const GeneralValues values = file ? GeneralValues::Read(*file) : GeneralValues{};
  stored_delay_ = values.delay;
  stored_key_ = values.key;
  win::SetDlgItemTextUtf8(hwnd(), IDC_DELAY, ShowRawValue(values.delay));
  win::SetDlgItemTextUtf8(hwnd(), IDC_KEY, ShowRawValue(values.key));
  win::SetDlgItemTextUtf8(hwnd(), IDC_SUMMARY, values.summary);
  win::SetDlgItemTextUtf8(hwnd(), IDC_RESTORE, values.restore);
  win::SetDlgItemTextUtf8(hwnd(), IDC_DESTINATION, values.destination);
  win::SetDlgItemTextUtf8(hwnd(), IDC_VOLUME, values.volume);
  for (int id : {IDC_KEY, IDC_KEY_LABEL}) ShowWindow(Item(id), ctx_.advanced ? SW_SHOW : SW_HIDE);
  for (size_t i = 0; i < std::size(kLabels); ++i)
    SetDlgItemTextW(hwnd(), kLabels[i], ctx_.Text(message_keys::kGeneralPage[i]).c_str());
  return EditorPage::OnInit();
}

bool GeneralPage::OnCommand(int id, int notify_code, HWND control) {
  switch (id) {
    case IDM_CHOOSE_DESTINATION: ChooseInto(IDC_DESTINATION, false); return true;
    case IDM_CHOOSE_SUMMARY: ChooseInto(IDC_SUMMARY, false); return true;
    case IDM_CHOOSE_RESTORE: ChooseInto(IDC_RESTORE, true); return true;
    default: return EditorPage::OnCommand(id, notify_code, control);
  }
}

void GeneralPage::ChooseInto(int field, bool closing_backslash) {
  std::wstring folder;
  if (ChooseFolder(ctx_.main, folder, ctx_.program_folder) != 0) return;
  // The field keeps its text: the folder cannot be stored, nor silently changed.
  if (field == IDC_DESTINATION && GeneralValues::HoldsComma(win::FromWide(folder))) {
    RefuseComma();
    return;
  }
  if (closing_backslash) folder += L'\\';
  SetDlgItemTextW(hwnd(), field, folder.c_str());
}

bool GeneralPage::Save() {
  GeneralValues values;
  values.delay = StoreRawValue(stored_delay_, FieldText(hwnd(), IDC_DELAY));
  values.key = StoreRawValue(stored_key_, FieldText(hwnd(), IDC_KEY));
  values.summary = FieldText(hwnd(), IDC_SUMMARY);
  values.restore = FieldText(hwnd(), IDC_RESTORE);
  values.volume = FieldText(hwnd(), IDC_VOLUME);
  values.destination = FieldText(hwnd(), IDC_DESTINATION);
  if (values.HoldsComma()) {
    // Nothing is written: the user changes what they typed.
    RefuseComma();
    return false;
  }
  std::optional<ProfileFile> file = ReadInternalFile(false);
  if (!file) return false;
  return values.Write(*file) || WriteFailed(file->path());
}

void GeneralPage::RefuseComma() {
  ShowEditorMessage(ctx_.sink, win::FromWide(ctx_.Text(message_keys::kCommaRefused)), MessageIcon::kWarning);
}

}  // namespace vaultrine::config
