#include "config_editor/rule_list_page.h"

#include "common/message_keys.h"
#include "common/win/wide.h"
#include "config_editor/core/message_sink.h"
#include "config_editor/resource.h"

namespace vaultrine::config {

namespace {

// Dialog ids in the order of RuleDialogSpec: value, folder, file, delete, validate,
// abandon, position box, position label, kind box, value label.
const RulePageSpec kInclude{"include", IDD_INCLUDE_PAGE, IDC_INCLUDE_LIST, "inc_tit", nullptr, true,
                            {RuleSection::kInclude, IDD_INCLUDE_EDIT, "modinc_tit",
                             IDC_INCLUDE_VALUE, IDC_INCLUDE_FOLDER, IDC_INCLUDE_FILE, IDC_INCLUDE_DELETE,
                             IDC_INCLUDE_VALIDATE, IDC_INCLUDE_ABANDON, IDC_INCLUDE_POSITION,
                             IDC_INCLUDE_POSITION_LABEL, 0, 0}};
const RulePageSpec kExclude{"exclude", IDD_EXCLUDE_PAGE, IDC_EXCLUDE_LIST, "exc_tit",
                            "yes => (path=\"*.zzzzzzzz\")", false,
                            {RuleSection::kExclude, IDD_EXCLUDE_EDIT, "modex_tit",
                             IDC_EXCLUDE_VALUE, IDC_EXCLUDE_FOLDER, 0, IDC_EXCLUDE_DELETE, IDC_EXCLUDE_VALIDATE,
                             IDC_EXCLUDE_ABANDON, IDC_EXCLUDE_POSITION, IDC_EXCLUDE_POSITION_LABEL, IDC_EXCLUDE_KIND,
                             0}};
const RulePageSpec kMd5{"md5_compare", IDD_MD5_PAGE, IDC_MD5_LIST, "md5_tit",
                        "md5 => (path=\"*.zzzzzzzz\")", false,
                        {RuleSection::kMd5Compare, IDD_MD5_EDIT, "modmd5_tit",
                         IDC_MD5_VALUE, 0, 0, IDC_MD5_DELETE, IDC_MD5_VALIDATE, IDC_MD5_ABANDON, IDC_MD5_POSITION,
                         IDC_MD5_POSITION_LABEL, 0, IDC_MD5_VALUE_LABEL}};

// Compress, crypt and crypt_path: one layout, its ids named by the section's prefix.
#define VAULTRINE_PATH_DIALOG(section, S, title_key)                                                      \
  RuleDialogSpec {                                                                                        \
    section, IDD_##S##_EDIT, title_key, IDC_##S##_VALUE, IDC_##S##_FOLDER, 0, IDC_##S##_DELETE,           \
        IDC_##S##_VALIDATE, IDC_##S##_ABANDON, IDC_##S##_POSITION, IDC_##S##_POSITION_LABEL, 0, 0         \
  }
const RulePageSpec kCompress{"compress", IDD_COMPRESS_PAGE, IDC_COMPRESS_LIST, "com_tit",
                             "gzip => (path=\"*.zzzzzzzz\")", false,
                             VAULTRINE_PATH_DIALOG(RuleSection::kCompress, COMPRESS, "modcom_tit")};
const RulePageSpec kCrypt{"crypt", IDD_CRYPT_PAGE, IDC_CRYPT_LIST, "ryf_tit", "bf => (path=\"*.zzzzzzzz\")", false,
                          VAULTRINE_PATH_DIALOG(RuleSection::kCrypt, CRYPT, "modryf_tit")};
const RulePageSpec kCryptPath{"crypt_path", IDD_CRYPT_PATH_PAGE, IDC_CRYPT_PATH_LIST, "ryn_tit",
                              "bf => (path=\"*.zzzzzzzz\")", false,
                              VAULTRINE_PATH_DIALOG(RuleSection::kCryptPath, CRYPT_PATH, "modryn_tit")};

}  // namespace

std::unique_ptr<EditorPage> RuleListPage::Include(EditorContext& c) { return std::make_unique<RuleListPage>(c, kInclude); }
std::unique_ptr<EditorPage> RuleListPage::Exclude(EditorContext& c) { return std::make_unique<RuleListPage>(c, kExclude); }
std::unique_ptr<EditorPage> RuleListPage::Md5Compare(EditorContext& c) { return std::make_unique<RuleListPage>(c, kMd5); }
std::unique_ptr<EditorPage> RuleListPage::Compress(EditorContext& c) { return std::make_unique<RuleListPage>(c, kCompress); }
std::unique_ptr<EditorPage> RuleListPage::Crypt(EditorContext& c) { return std::make_unique<RuleListPage>(c, kCrypt); }
std::unique_ptr<EditorPage> RuleListPage::CryptPath(EditorContext& c) { return std::make_unique<RuleListPage>(c, kCryptPath); }

RuleListPage::RuleListPage(EditorContext& context, const RulePageSpec& spec)
    : EditorPage(context, spec.template_id), spec_(spec) {}

BOOL RuleListPage::OnInit() {
  if (const std::optional<ProfileFile> file = ReadInternalFile(true))
    rules_ = RuleList::Load(*file, spec_.section, spec_.restore_quotes);
  ShowList(rules_.count() - 1);
  SetDlgItemTextW(hwnd(), spec_.list + 2, ctx_.Text(spec_.title_key).c_str());
  SetDlgItemTextW(hwnd(), spec_.list + 1, ctx_.Text("mod_new").c_str());
  SetDlgItemTextW(hwnd(), spec_.list + 3, ctx_.Text("mod_dob").c_str());
  return EditorPage::OnInit();
}

void RuleListPage::ShowList(int selected) {
  HWND list = Item(spec_.list);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& rule : rules_.entries())
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::ToWide(rule).c_str()));
  SendMessageW(list, LB_SETCURSEL, selected, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

bool RuleListPage::OnCommand(int id, int notify_code, HWND control) {
  if (id == spec_.list && notify_code == LBN_DBLCLK) {
    EditSelected();
    return true;
  }
  // Enter on the list edits the selected rule, as a double click does.
  if (id == IDOK && GetFocus() == Item(spec_.list)) {
    EditSelected();
    return true;
  }
  if (id == spec_.list + 1 && notify_code == BN_CLICKED) {
    Add();
    return true;
  }
  return EditorPage::OnCommand(id, notify_code, control);
}

void RuleListPage::EditSelected() {
  const int selected = static_cast<int>(SendMessageW(Item(spec_.list), LB_GETCURSEL, 0, 0));
  if (selected < 0 || selected >= rules_.count()) return;
  RuleEditSlot slot = rules_.TakeOut(selected);
  ShowList(-1);
  RuleEditDialog dialog(ctx_, spec_.dialog, slot);
  const int result = dialog.Edit(ctx_.main);
  const int placed = rules_.PutBack(slot, result);
  ShowList(placed);
  if (result == kEditNotShown)
    ShowEditorMessage(ctx_.sink, win::FromWide(ctx_.Text(message_keys::kDialogNotShown)), MessageIcon::kError);
}

void RuleListPage::Add() {
  const std::string rule =
      spec_.new_rule ? std::string(spec_.new_rule) : win::FromWide(ctx_.Text(message_keys::kIncludeNewEntry));
  if (!rules_.Append(rule)) {
    ShowEditorMessage(ctx_.sink, win::FromWide(ctx_.Text(message_keys::kListFull)), MessageIcon::kWarning);
    return;
  }
  ShowList(rules_.count() - 1);
  EditSelected();
}

bool RuleListPage::Save() {
  std::optional<ProfileFile> file = ReadInternalFile(false);
  if (!file) return false;
  return rules_.Save(*file, spec_.section) || WriteFailed(file->path());
}

}  // namespace vaultrine::config
