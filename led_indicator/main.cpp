// Glowtick: a sign of life while a restore runs. The restore library starts it with
// the progress window's corner on the command line and ends it with the restore.
#include <windows.h>

#include <optional>
#include <string>

#include "led_indicator/led_rules.h"
#include "led_indicator/led_window.h"
#include "led_indicator/resource.h"

namespace {

constexpr wchar_t kClassName[] = L"DPT_WClass";
constexpr wchar_t kMainTitle[] = L"GLOWTICK - Nov 06th, 2010";

HINSTANCE g_instance = nullptr;
vaultrine::led::Origin g_origin;

void ErrorBox(const wchar_t* text, const wchar_t* caption) {
  MessageBoxW(nullptr, text, caption, MB_OK | MB_ICONERROR);
}

}  // namespace

// Both procedures carry their names in the export table, so they can be found by name.
extern "C" INT_PTR CALLBACK FenetreLED(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  return vaultrine::win::DialogBase::Procedure(window, message, wp, lp);
}

extern "C" LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_SIZE:
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDM_RUN_LED_WINDOW: {
          vaultrine::led::LedWindow led(g_instance, g_origin);
          led.Run(window, FenetreLED);
          return 0;
        }
        case IDM_QUIT:
          // The LED window has gone, and its timer with it.
          PostQuitMessage(0);
          break;
        default:
          return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wp, lp);
}

// Exit code 0 in every case: nobody waits for it, and the library ends it by force.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR command_line, int) {
  g_instance = instance;
  const std::wstring line = command_line ? command_line : L"";
  const std::optional<vaultrine::led::Origin> origin =
      vaultrine::led::ParseCommandLine(std::u16string(line.begin(), line.end()));
  if (!origin) {
    ErrorBox(L"Unexpected parameters", L"GLOWTICK - START");
    return 0;
  }
  g_origin = *origin;

  WNDCLASSW wc{};
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kClassName;
  if (!RegisterClassW(&wc)) {
    ErrorBox(L"InitApplication failed", L"GLOWTICK");
    return 0;
  }
  // Never shown: it owns the LED window and runs the message loop.
  HWND main = CreateWindowExW(0, kClassName, kMainTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!main) {
    ErrorBox(L"InitInstance failed", L"GLOWTICK");
    return 0;
  }
  HWND previous = GetWindow(main, GW_HWNDPREV);

  SendMessageW(main, WM_COMMAND, IDM_RUN_LED_WINDOW, 0);
  SendMessageW(main, WM_COMMAND, IDM_QUIT, 0);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (previous && IsWindow(previous)) {
    SetWindowPos(previous, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // Another program's window: only the foreground switch gives it the focus back.
    SetForegroundWindow(previous);
  }
  DestroyWindow(main);
  return 0;
}
