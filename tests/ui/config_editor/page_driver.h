// Drives the editor's pages past the parameter-file page, from the test's process:
// tabs, the rule lists and their edit dialogs, and the fields of the general page.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/config_editor/editor_driver.h"

namespace vaultrine::uitest {

// A rule page: its tab, list id, and its dialog's control ids (0 when absent).
struct RulePage {
  int tab, list;
  int value, folder, remove, validate, abandon, position;
};
inline constexpr RulePage kIncludePage{2, 1300, 1400, 1401, 1403, 1404, 1405, 1406};
inline constexpr RulePage kExcludePage{3, 1500, 1600, 1601, 1602, 1603, 1604, 1606};
inline constexpr RulePage kMd5Page{4, 1250, 1270, 0, 1272, 1271, 1273, 1274};
inline constexpr RulePage kCompressPage{5, 1700, 1800, 1801, 1802, 1803, 1804, 1805};
inline constexpr RulePage kCryptPage{6, 1900, 2000, 2001, 2002, 2003, 2004, 2005};
inline constexpr RulePage kCryptPathPage{7, 2100, 2200, 2201, 2202, 2203, 2204, 2205};
inline constexpr int kExcludeKind = 1605;
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
