// The restore request: where to restore, with which key, and which folders and
// files of the backup. A confirmed request is the file ".\DecryptList.txt" that the
// engine reads next; anything else leaves no such file.
#pragma once
#include <string>

#include "common/message_file.h"
#include "common/win/dialog_base.h"
#include "common/win/dialog_colours.h"
#include "restore_support/request_rules.h"
#include "restore_support/restore_host.h"

namespace vaultrine::restore {

class RequestDialog : public win::DialogBase {
 public:
  explicit RequestDialog(RestoreHost& host);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

 private:
  std::wstring Text(const char* key) { return host_.Text(key); }
  // Boxes on top of everything, with the engine's caption.
  void Box(const std::wstring& text, MessageIcon icon);
  void ReadSettings();
  void PathTooLong();
  void AddEntry(const std::wstring& path);
  void AddFolder();
  void AddFile();
  void ChooseRestoreFolder();
  void RemoveSelected();
  void SelectLast();
  void Abandon();
  void Confirm();

  RestoreHost& host_;
  RestoreSettings settings_;
  std::string caption_;  // UTF-8
  win::DialogColours& colours_;
};

}  // namespace vaultrine::restore
