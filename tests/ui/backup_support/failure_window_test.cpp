// The failure window as the engine shows it: DisplayBadResult blocks its caller
// while a driver thread reads the window and closes it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/win/wide.h"
#include "tests/ui/backup_support/result_window_support.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::uitest {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

std::vector<std::string> ListEntries(HWND list) {
  std::vector<std::string> entries;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    entries.push_back(win::FromWide(text));
  }
  return entries;
}

struct Case {
  const char* name;
  std::string headline;
  std::string error_text;
  std::vector<std::string> entries;  // the last one is selected
};

TEST(FailureWindow, ShowsTheErrorLinesAndTheRedHeadline) {
  // 48 narrow characters, then wide ones that only an uncut headline would show.
  const std::string long_headline = std::string(48, '\'') + std::string(12, 'W');
  const std::string headline = "\xC3\x89" "chec de la sauvegarde";
  const std::string line130(130, 'e');
  const Case cases[] = {
      {"two lines", headline, "Fichier verrouill\xC3\xA9 : C:\\a.pst\nDisque plein\n",
       {"Fichier verrouill\xC3\xA9 : C:\\a.pst", "Disque plein"}},
      {"two lines, no last line feed", long_headline, "Fichier verrouill\xC3\xA9 : C:\\a.pst\nDisque plein",
       {"Fichier verrouill\xC3\xA9 : C:\\a.pst", "Disque plein"}},
      {"no error text", long_headline, "", {}},
      {"a line of 130 characters", long_headline, line130, {std::string(127, 'e'), "eee"}},
  };
  bool shot_taken = false;
  // The window leaves the status of the run in the current folder: a scratch one.
  ScratchFolder scratch;
  wchar_t old_dir[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, old_dir);
  ASSERT_TRUE(SetCurrentDirectoryW(win::ToWide(scratch.path()).c_str()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BackupLibraryRun run;
    ASSERT_TRUE(run.ok());
    run.get_translated_text("Date de l'essai", 631);
    const std::string caption = std::string("\xC3\x89" "chec - ") + c.name;
    bool checked = false;
    WindowDriver driver(win::ToWide(caption), [&](HWND w) {
      EXPECT_TRUE(WaitUntil([&] { return FocusOf(w) == GetDlgItem(w, IDC_FOCUS_SINK); })) << "focus on the hidden edit";
      EXPECT_EQ(ItemText(w, IDC_FAILURE_DATE), "06/12/2026 17:45");
      EXPECT_EQ(ItemText(w, IDC_FAILURE_DATE_LABEL), "Date de l'essai");
      const HWND list = GetDlgItem(w, IDC_ERROR_LIST);
      EXPECT_EQ(ListEntries(list), c.entries);
      EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), static_cast<LRESULT>(c.entries.size()) - 1);

      ExpectHeadline(w, c.headline, kRed);
      if (!shot_taken && c.entries.size() == 2) {
        SaveShotIfAsked(w, "backup-failure");
        shot_taken = true;
      }
      PostMessageW(w, WM_COMMAND, IDC_FAILURE_OK, 0);
      checked = true;
    });
    run.display_bad(caption.c_str(), c.headline.c_str(), "06/12/2026 17:45", c.error_text.c_str());
    EXPECT_TRUE(driver.Join());
    EXPECT_TRUE(checked);
    // For the launcher: a failure, the lines of its error text counted and the first named.
    std::vector<std::string> lines;
    for (size_t at = 0; at < c.error_text.size();) {
      const size_t end = std::min(c.error_text.find('\n', at), c.error_text.size());
      lines.push_back(c.error_text.substr(at, end - at));
      at = end + 1;
    }
    const std::string status = ReadFileBytes(scratch.File("Vaultrine_LastBackup.txt"));
    EXPECT_NE(status.find("\r\noutcome=failed\r\nerrors=" + std::to_string(lines.size()) + "\r\nfirst error=" +
                          (lines.empty() ? std::string() : lines[0]) + "\r\n"),
              std::string::npos)
        << status;
  }
  SetCurrentDirectoryW(old_dir);
}

}  // namespace
}  // namespace vaultrine::uitest
