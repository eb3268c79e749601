// Tab 1: destination folder and volume, obsolescence delay, encryption key, log
// folder and default restore location, read from the internal file when the page
// opens and written back when it is left.
#pragma once
#include <string>

#include "config_editor/editor_page.h"

namespace vaultrine::config {

class GeneralPage : public EditorPage {
 public:
  explicit GeneralPage(EditorContext& context);
  static std::unique_ptr<EditorPage> Make(EditorContext& context) { return std::make_unique<GeneralPage>(context); }

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  bool Save() override;

 private:
  void ChooseInto(int field, bool closing_backslash);
  void RefuseComma();

  // The delay (without its "d") and the key as stored: saved back byte for byte
  // unless the user changed them.
  std::string stored_delay_;
  std::string stored_key_;
};

}  // namespace vaultrine::config
