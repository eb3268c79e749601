#include "tools/engines/win/console_window.h"

#include "common/win/wide.h"
#include "tools/engines/win/console_resource.h"

namespace vaultrine::engines {

ConsoleWindow::ConsoleWindow(HINSTANCE instance)
    : DialogBase(instance, IDD_ENGINE_CONSOLE), background_(CreateSolidBrush(RGB(0, 0, 0))) {}

// Created hidden: it is there for the libraries to find (they minimise it, which shows
// it as an icon) and to keep the log; showing it at once would only flash it, and
// costs seconds under Wine without a window manager.
bool ConsoleWindow::Open() { return Create(nullptr) != nullptr; }

BOOL ConsoleWindow::OnInit() {
  win::SetWindowTextUtf8(hwnd(), win::ModuleFileName(nullptr).value_or("Console"));
  SetWindowPos(hwnd(), nullptr, 24, 24, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // Fixed pitch whatever faces the system has, as a console shows text.
  font_.reset(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New"));
  if (font_) SendMessageW(Item(IDC_CONSOLE_TEXT), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return TRUE;
}

// A console cannot be dismissed while its program runs: the engine ends it.
bool ConsoleWindow::OnCommand(int id, int, HWND) { return id == IDOK || id == IDCANCEL; }

HBRUSH ConsoleWindow::OnCtlColor(HDC dc, HWND, UINT) {
  SetTextColor(dc, RGB(192, 192, 192));
  SetBkColor(dc, RGB(0, 0, 0));
  return background_.get();
}

bool ConsoleWindow::OnMessage(UINT msg, WPARAM, LPARAM lp, INT_PTR&) {
  if (msg != WM_SIZE) return false;
  MoveWindow(Item(IDC_CONSOLE_TEXT), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
  return true;
}

void ConsoleWindow::Log(const std::string& line) {
  HWND text = Item(IDC_CONSOLE_TEXT);
  if (!text) return;
  const std::wstring add = win::ToWide(line) + L"\r\n";
  const LRESULT end = SendMessageW(text, WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(text, EM_SETSEL, end, end);
  SendMessageW(text, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(add.c_str()));
  Pump();
}

void ConsoleWindow::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace vaultrine::engines
