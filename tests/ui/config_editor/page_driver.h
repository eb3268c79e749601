// Drives the editor's pages past the parameter-file page, from the test's process:
// tabs, the rule lists and their edit dialogs, and the fields of the general page.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/config_editor/editor_driver.h"
#include "config_editor/resource.h"

namespace vaultrine::uitest {

// A rule page: its tab, list id, and its dialog's control ids (0 when absent).
struct RulePage {
  int tab, list;
  int value, folder, remove, validate, abandon, position;
};
inline constexpr RulePage kIncludePage{2, IDC_INCLUDE_LIST, IDC_INCLUDE_VALUE, IDC_INCLUDE_FOLDER, IDC_INCLUDE_DELETE,
                                       IDC_INCLUDE_VALIDATE, IDC_INCLUDE_ABANDON, IDC_INCLUDE_POSITION};
inline constexpr RulePage kExcludePage{3, IDC_EXCLUDE_LIST, IDC_EXCLUDE_VALUE, IDC_EXCLUDE_FOLDER, IDC_EXCLUDE_DELETE,
                                       IDC_EXCLUDE_VALIDATE, IDC_EXCLUDE_ABANDON, IDC_EXCLUDE_POSITION};
inline constexpr RulePage kMd5Page{4, IDC_MD5_LIST, IDC_MD5_VALUE, 0, IDC_MD5_DELETE, IDC_MD5_VALIDATE, IDC_MD5_ABANDON,
                                   IDC_MD5_POSITION};
inline constexpr RulePage kCompressPage{5, IDC_COMPRESS_LIST, IDC_COMPRESS_VALUE, IDC_COMPRESS_FOLDER,
                                        IDC_COMPRESS_DELETE, IDC_COMPRESS_VALIDATE, IDC_COMPRESS_ABANDON,
                                        IDC_COMPRESS_POSITION};
inline constexpr RulePage kCryptPage{6, IDC_CRYPT_LIST, IDC_CRYPT_VALUE, IDC_CRYPT_FOLDER, IDC_CRYPT_DELETE,
                                     IDC_CRYPT_VALIDATE, IDC_CRYPT_ABANDON, IDC_CRYPT_POSITION};
inline constexpr RulePage kCryptPathPage{7, IDC_CRYPT_PATH_LIST, IDC_CRYPT_PATH_VALUE, IDC_CRYPT_PATH_FOLDER,
                                         IDC_CRYPT_PATH_DELETE, IDC_CRYPT_PATH_VALIDATE, IDC_CRYPT_PATH_ABANDON,
                                         IDC_CRYPT_PATH_POSITION};
inline constexpr int kGeneralTab = 1;

class PageDriver {
 public:
  explicit PageDriver(EditorDriver& editor) : editor_(editor) {}

  // Chooses the tab and waits until the page under it holds `control`.
  bool Go(int tab, int control);
  bool Go(const RulePage& p) { return Go(p.tab, p.list); }

  HWND List(const RulePage& p) const { return GetDlgItem(editor_.page(), p.list); }
  std::vector<std::string> Shown(const RulePage& p) const;
  int Selected(const RulePage& p) const;
  // A double click on entry `index`, or the add button: the dialog that opens, or null.
  HWND Open(const RulePage& p, int index, int timeout_ms = 10000);
  HWND Add(const RulePage& p);
  // Adds a rule with `value` (and the exclude kind box on `kind`), validated.
  bool AddRule(const RulePage& p, const std::string& value, int kind = -1);

  // Controls of any window of the program, dialogs and pages alike.
  static void Press(HWND window, int id);
  // Presses `id` and waits for the dialog to end.
  static bool End(HWND dialog, int id);
  static void Type(HWND window, int id, const std::string& text);
  static std::string Field(HWND window, int id);
  static void Choose(HWND dialog, int combo, int index);
  static int Chosen(HWND dialog, int combo);
  static int Choices(HWND dialog, int combo);

  // Advanced mode, then a new parameter file `path` from its template through the save
  // chooser; false when the editor does not take it.
  bool NewAdvancedFile(const std::string& path);

  // Escape, then the end question answered "yes"; the program's exit code.
  int CloseSaving();

 private:
  HWND FindDialog(const RulePage& p) const;
  EditorDriver& editor_;
};

}  // namespace vaultrine::uitest
