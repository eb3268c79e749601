// The stand-in engines' own window: a console-like log of what they do, titled with
// the program's full path (which holds the engine's file name, as the libraries
// expect of an engine window). Created before the library is loaded, so the library
// finds it at once.
#pragma once
#include <windows.h>

#include <string>

#include "common/win/dialog_base.h"
#include "common/win/raii.h"

namespace vaultrine::engines {

class ConsoleWindow : public win::DialogBase {
 public:
  explicit ConsoleWindow(HINSTANCE instance);
  // Creates the window, hidden.
  bool Open();
  // Appends one line (UTF-8) and lets the window repaint.
  void Log(const std::string& line);
  // Lets pending messages through while the engine works.
  static void Pump();

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  win::Brush background_;
  win::Font font_;
};

}  // namespace vaultrine::engines
