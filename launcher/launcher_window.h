// The launcher's window: a picture with five hot regions, the language list, and
// the commands that start the other programs. The rules live in the portable
// files (hot_regions, label_board, launcher_paths, launcher_texts); this class only
// moves their results onto the controls.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "common/win/dialog_base.h"
#include "common/win/raii.h"
#include "launcher/label_board.h"
#include "launcher/last_backup_line.h"
#include "launcher/launcher_paths.h"
#include "launcher/launcher_texts.h"

namespace vaultrine::launcher {

// What the window asks of the system; tests put a scratch folder in place of both.
struct LauncherEnvironment {
  // Full path of the running program (UTF-8), nullopt when it cannot be had.
  std::function<std::optional<std::string>()> module_file_name;
  // The Windows folder, where Explorer lives.
  std::function<std::string()> windows_folder;
  // The obsolete-files report, given the checked database path and the program folder.
  std::function<void(HWND, Language, const std::string&, const std::string&)> obsolete_report;
};
LauncherEnvironment SystemEnvironment();

class LauncherWindow : public win::DialogBase {
 public:
  LauncherWindow(HINSTANCE instance, LauncherEnvironment environment);
  ~LauncherWindow() override;

  // Creates and shows the window; null when the template cannot be loaded.
  HWND Open();
  // What the thread's loop does with every message: the click filter first, then
  // the dialog's own keyboard handling and the dispatch.
  void Process(MSG& msg);
  // Open, then loop until the window is closed (or a quit request arrives).
  int Run();

  Language language() const { return board_.language(); }
  // The last-backup line as shown, and whether it is the red one of a failure.
  const LastBackupLine& last_backup() const { return last_backup_; }

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  bool OnPaint() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  void OnDestroy() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  void PinLayout();
  void ApplyLabels();
  void OnPointerMove(int x, int y);
  void FilterClick();
  void Activate(HotRegion region);
  // Rebuilds every path; false (and a box) when one of them is too long to use.
  bool RebuildPaths(bool report = true);
  void StartCommand(Command command);
  void ShowInfo(const std::string& text);
  // Reads the status file the backup library left and shows its line.
  void ShowLastBackup();

  LauncherEnvironment env_;
  LabelBoard board_{Language::kEnglish};
  LauncherPaths paths_;
  int last_x_ = -1;
  int last_y_ = -1;
  HICON icon_ = nullptr;
  HICON small_icon_ = nullptr;
  HCURSOR hand_ = nullptr;
  HCURSOR saved_cursor_ = nullptr;
  win::Font status_fonts_[2];
  win::GdiObject<HBRUSH> parchment_;
  LastBackupLine last_backup_;
};

}  // namespace vaultrine::launcher
