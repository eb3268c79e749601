#include "restore_support/request_dialog.h"

#include <vector>

#include "common/file_io.h"
#include "common/message_keys.h"
#include "common/raw_value.h"
#include "common/win/choosers.h"
#include "common/win/message_box_sink.h"
#include "common/win/result_drawing.h"
#include "common/win/wide.h"
#include "common/win/win32_volume_table.h"
#include "restore_support/resource.h"

namespace vaultrine::restore {

namespace {

namespace keys = message_keys;

// Labels in the order of the message keys ask_1 to ask_9.
constexpr int kLabels[] = {IDC_WHERE_LABEL,        IDC_REQUEST_KEY_LABEL, IDC_CHOICE_GROUP,
                           IDM_ADD_FILE,           IDM_ADD_FOLDER,        IDC_REQUEST_LIST_LABEL,
                           IDM_START_RESTORE,      IDM_ABANDON,           IDC_CHOICE_HINT};
constexpr size_t kChosenPathMax = 220;
constexpr const char* kPathTooLong = "Selected full pathname exceeds 256 characters\n\nselect a shorter one";
constexpr const char* kLibraryCaption = "Revivalis3.dll";
constexpr const wchar_t kAllFiles[] = L"(*.*)\0*.*\0";

std::wstring FieldText(HWND dialog, int id) {
  HWND field = GetDlgItem(dialog, id);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(GetWindowTextW(field, text.data(), static_cast<int>(text.size())));
  return text;
}

}  // namespace

RequestDialog::RequestDialog(RestoreHost& host)
    : DialogBase(host.module(), IDD_REQUEST), host_(host), colours_(host.colours()) {}

void RequestDialog::Box(const std::wstring& text, MessageIcon icon) {
  win::MessageBoxSink sink([this] { return hwnd(); }, true);
  sink.Show({win::FromWide(text), caption_, icon});
}

BOOL RequestDialog::OnInit() {
  win::CentreOnDesktop(hwnd());
  caption_ = host_.ShownCaption();
  win::SetWindowTextUtf8(hwnd(), caption_);
  RemoveFile(kRequestFileName);
  ReadSettings();
  win::SetDlgItemTextUtf8(hwnd(), IDC_REQUEST_KEY, ShowRawValue(settings_.key));
  if (!settings_.volume.empty()) {
    char answer[8] = {};
    win::GetDiscFromVolumename(settings_.volume.c_str(), answer);
    if (answer[0] == '?') {
      std::wstring text = Text(keys::kAskVolumeNotFound);
      const size_t at = text.find(L"%s");
      if (at != std::wstring::npos) text.replace(at, 2, win::ToWide(settings_.volume));
      Box(text, MessageIcon::kWarning);
    }
    if (!settings_.destination.empty()) settings_.destination[0] = answer[0];
  }
  win::SetDlgItemTextUtf8(hwnd(), IDC_BACKUP_DESTINATION, settings_.destination);
  win::SetDlgItemTextUtf8(hwnd(), IDC_RESTORE_FOLDER, settings_.restore_folder);
  for (size_t i = 0; i < std::size(kLabels); ++i)
    SetDlgItemTextW(hwnd(), kLabels[i], Text(keys::kAskLabels[i]).c_str());
  SendMessageW(Item(IDC_REQUEST_KEY), EM_SETLIMITTEXT, kKeyMax, 0);
  // The key is the one field to check before starting; the folder is read-only.
  SetFocus(Item(IDC_REQUEST_KEY));
  return FALSE;
}

void RequestDialog::ReadSettings() {
  const std::optional<std::string> text = ReadWholeFile(host_.library_folder() + "\\Vaultrine.ini");
  settings_ = text ? ScanRestoreSettings(*text) : RestoreSettings{};
  if (!text) settings_.destination = host_.library_folder();
  if (!settings_.restore_found) {
    settings_.restore_folder = kDefaultRestoreFolder;
    CreateDirectoryW(win::ToWide(kDefaultRestoreFolder).c_str(), nullptr);
  }
}

bool RequestDialog::OnCommand(int id, int notify_code, HWND control) {
  switch (id) {
    case IDM_ADD_FOLDER: AddFolder(); return true;
    case IDM_ADD_FILE: AddFile(); return true;
    case IDM_CHOOSE_RESTORE_FOLDER: ChooseRestoreFolder(); return true;
    case IDM_ABANDON: Abandon(); return true;
    case IDM_START_RESTORE: Confirm(); return true;
    case IDC_REQUEST_LIST:
      if (notify_code != LBN_DBLCLK) return false;
      RemoveSelected();
      return true;
    default: return DialogBase::OnCommand(id, notify_code, control);
  }
}

bool RequestDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  // Delete removes the selected line, as a double click does: the list works
  // from the keyboard too. Every other key keeps the list's own handling.
  if (msg != WM_VKEYTOITEM || reinterpret_cast<HWND>(lp) != Item(IDC_REQUEST_LIST)) return false;
  if (LOWORD(wp) != VK_DELETE) {
    result = -1;
    return true;
  }
  RemoveSelected();
  result = -2;
  return true;
}

void RequestDialog::PathTooLong() {
  win::MessageBoxSink sink([this] { return hwnd(); }, false);
  sink.Show({kPathTooLong, kLibraryCaption, MessageIcon::kWarning});
}

void RequestDialog::AddEntry(const std::wstring& path) {
  // A request line holds at most 255 bytes: a longer path cut there would name
  // another file, so it is refused like one over 220 characters.
  if (path.size() > kChosenPathMax || !FitsRequest(win::FromWide(path))) return PathTooLong();
  SendMessageW(Item(IDC_REQUEST_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
}

void RequestDialog::AddFolder() {
  const auto folder = win::RunFolderChooser(hwnd(), win::ToWide(settings_.destination), Text(keys::kAskFolderChooserTitle));
  if (!folder) return;
  std::wstring path = *folder;
  if (path.empty() || path.back() != L'\\') path += L'\\';
  AddEntry(path);
  SelectLast();
}

void RequestDialog::AddFile() {
  win::FileChooserRequest request;
  request.owner = hwnd();
  request.initial_folder = win::ToWide(settings_.destination);
  request.title = Text(keys::kAskFileChooserTitle);
  request.filter.assign(kAllFiles, std::size(kAllFiles));
  const auto file = win::RunFileChooser(request);
  if (!file) return;
  AddEntry(*file);
  SelectLast();
}

void RequestDialog::ChooseRestoreFolder() {
  SetDlgItemTextW(hwnd(), IDC_RESTORE_FOLDER, L"");
  const auto folder =
      win::RunFolderChooser(hwnd(), win::ToWide(settings_.restore_folder), Text(keys::kAskFolderChooserTitle));
  if (folder) SetDlgItemTextW(hwnd(), IDC_RESTORE_FOLDER, (*folder + L"\\").c_str());
}

void RequestDialog::RemoveSelected() {
  HWND list = Item(IDC_REQUEST_LIST);
  const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected != LB_ERR) SendMessageW(list, LB_DELETESTRING, selected, 0);
  SelectLast();
}

void RequestDialog::SelectLast() {
  HWND list = Item(IDC_REQUEST_LIST);
  SendMessageW(list, LB_SETCURSEL, SendMessageW(list, LB_GETCOUNT, 0, 0) - 1, 0);
}

void RequestDialog::Abandon() {
  RemoveFile(kRequestFileName);
  Box(Text(keys::kAskAbandoned), MessageIcon::kInformation);
  End(IDCANCEL);
}

void RequestDialog::Confirm() {
  RemoveFile(kRequestFileName);
  const std::string folder = win::FromWide(FieldText(hwnd(), IDC_RESTORE_FOLDER));
  const std::string typed_key = win::FromWide(FieldText(hwnd(), IDC_REQUEST_KEY));
  HWND list = Item(IDC_REQUEST_LIST);
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  if (folder.empty()) return Box(Text(keys::kAskNoRestoreFolder), MessageIcon::kWarning);
  if (typed_key.empty()) return Box(Text(keys::kAskNoKey), MessageIcon::kWarning);
  // Cut to fit, the folder would be another one, perhaps holding files of its own.
  if (!FitsRequest(folder)) return PathTooLong();
  if (count <= 0) {
    Box(Text(keys::kAskNothingSelected), MessageIcon::kWarning);
    End(IDCANCEL);
    return;
  }
  std::vector<std::string> entries;
  for (int i = 0; i < count; ++i) {
    std::wstring entry(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    entry.resize(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data())));
    entries.push_back(win::FromWide(entry));
  }
  const std::string key = StoreRawValue(settings_.key, typed_key);
  if (!WriteRequestFile(kRequestFileName, RequestFileBytes(key, folder, entries))) {
    win::MessageBoxSink sink([this] { return hwnd(); }, true);
    sink.Show({"Could not create the output file.", kLibraryCaption, MessageIcon::kWarning});
    End(IDCANCEL);
    return;
  }
  host_.ShowProgressAndStartIndicator();
  End(IDOK);
}

HBRUSH RequestDialog::OnCtlColor(HDC dc, HWND control, UINT message) { return colours_.Paint(dc, control, message); }

}  // namespace vaultrine::restore
