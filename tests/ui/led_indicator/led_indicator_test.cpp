// Glowtick as the restore library starts it: ".\Glowtick.exe x;y;" from the program
// folder, then watched from outside like any other program's window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win/raii.h"
#include "common/win/screen_dpi.h"
#include "common/win/wide.h"
#include "led_indicator/resource.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::led {
namespace {

using uitest::WaitUntil;


class Glowtick {
 public:
  explicit Glowtick(const std::wstring& arguments) {
    std::wstring command = L".\\Glowtick.exe";
    if (!arguments.empty()) command += L" " + arguments;
    std::vector<wchar_t> buffer(command.begin(), command.end());
    buffer.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const std::wstring folder = win::ToWide(uitest::BinFolder());
    if (CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
      CloseHandle(pi.hThread);
      process_.reset(pi.hProcess);
      id_ = pi.dwProcessId;
    }
  }
  ~Glowtick() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.get(), 9);
  }
  bool started() const { return static_cast<bool>(process_); }
  DWORD id() const { return id_; }

  // The LED window: the captionless dialog of the process.
  HWND LedWindow(int timeout_ms = 10000) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = uitest::FindProcessWindow(L"#32770", L"", id_)) != nullptr; }, timeout_ms);
    return found;
  }
  // Exit code once ended, -1 while it still runs after the wait.
  long ExitCode(int timeout_ms = 5000) const {
    if (WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return static_cast<long>(code);
  }

 private:
  win::UniqueHandle process_;
  DWORD id_ = 0;
};

bool Shown(HWND led, int id) { return IsWindowVisible(GetDlgItem(led, id)) != FALSE; }

// Dark pixels the clock leaves on the screen inside the frame of the clock area.
int DarkPixelsUnderClock(HWND led) {
  RECT area{};
  GetWindowRect(GetDlgItem(led, IDC_LED_CLOCK_AREA), &area);
  HDC screen = GetDC(nullptr);
  int dark = 0;
  for (int y = area.top + 2; y < area.bottom - 2; ++y) {
    for (int x = area.left + 2; x < area.right - 2; ++x) {
      const COLORREF c = GetPixel(screen, x, y);
      if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 240) ++dark;
    }
  }
  ReleaseDC(nullptr, screen);
  return dark;
}

// The clock (Arial 14 pixels, drawn at 6,30 on a 96 dpi screen; scaled on a finer
// one, where the field holds it) lies inside the frame of field 340, and the field
// inside the window.
bool ClockFitsItsArea(HWND led) {
  const int dpi = win::ScreenDpi();
  win::WindowDC dc(nullptr);
  win::Font font(CreateFontW(ScaleForDpi(14, dpi), 0, 0, 0, 200, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
  win::SelectIn selected(dc.get(), font.get());
  SIZE clock{};
  GetTextExtentPoint32W(dc.get(), L"  00:00:00 ", 11, &clock);
  RECT area{}, window{};
  GetWindowRect(GetDlgItem(led, IDC_LED_CLOCK_AREA), &area);
  MapWindowPoints(nullptr, led, reinterpret_cast<POINT*>(&area), 2);
  GetClientRect(led, &window);
  const int x = ScaleForDpi(6, dpi), y = ScaleForDpi(30, dpi);
  // One pixel of frame on each side.
  const bool at_its_place = dpi != kDesignDpi || (area.left < x && area.top < y && area.right - 1 > x + clock.cx &&
                                                  area.bottom - 1 > y + clock.cy);
  return at_its_place && area.right - area.left - 2 > clock.cx && area.bottom - area.top - 2 > clock.cy &&
         area.left >= 0 && area.top >= 0 && area.right <= window.right && area.bottom <= window.bottom;
}

std::wstring Padded(std::wstring head, size_t length) {
  head.resize(length, L'x');
  return head;
}

TEST(Glowtick, PlacedTopmostOverTheCornerAndEndedByEscape) {
  const struct {
    std::wstring arguments;
    int x;
    int y;
  } cases[] = {
      {L"0;0;", 6, 27},
      {L"100;-20;", 106, 7},
      {L"", 5, 26},
      {Padded(L"10;20;", 63), 16, 47},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(win::FromWide(c.arguments));
    Glowtick glowtick(c.arguments);
    ASSERT_TRUE(glowtick.started());
    HWND led = glowtick.LedWindow();
    ASSERT_NE(led, nullptr);
    RECT r{};
    GetWindowRect(led, &r);
    // The stated pixels on a 96 dpi screen; on a finer one the offsets scale, the
    // window is at least the scaled width and ends below its clock, no lower than the
    // scaled height, so that it leaves the progress window's percentage uncovered.
    const int dpi = win::ScreenDpi();
    EXPECT_EQ(r.left, c.x + ScaleForDpi(6, dpi) - 6);
    EXPECT_EQ(r.top, c.y + ScaleForDpi(27, dpi) - 27);
    if (dpi == kDesignDpi) {
      EXPECT_EQ(r.right - r.left, 66);
      EXPECT_EQ(r.bottom - r.top, 52);
    } else {
      EXPECT_GE(r.right - r.left, ScaleForDpi(66, dpi));
      EXPECT_LE(r.bottom - r.top, ScaleForDpi(52, dpi));
    }
    EXPECT_TRUE(ClockFitsItsArea(led));
    EXPECT_TRUE(GetWindowLongW(led, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongW(led, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);

    HWND main = FindWindowW(L"DPT_WClass", L"GLOWTICK - Nov 06th, 2010");
    ASSERT_NE(main, nullptr);
    DWORD owner_process = 0;
    GetWindowThreadProcessId(main, &owner_process);
    EXPECT_EQ(owner_process, glowtick.id());
    EXPECT_FALSE(IsWindowVisible(main)) << "the main window is never shown";

    PostMessageW(led, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(glowtick.ExitCode(), 0);
    EXPECT_FALSE(IsWindow(led));
  }
}

TEST(Glowtick, LedsOffThenAlternatingEverySecondUnderTheClock) {
  Glowtick glowtick(L"0;0;");
  ASSERT_TRUE(glowtick.started());
  HWND led = glowtick.LedWindow();
  ASSERT_NE(led, nullptr);
  const DWORD opened = GetTickCount();
  EXPECT_TRUE(Shown(led, IDC_LED_OFF));
  EXPECT_FALSE(Shown(led, IDC_LED_GREEN_YELLOW));
  EXPECT_FALSE(Shown(led, IDC_LED_YELLOW_GREEN));

  ASSERT_TRUE(WaitUntil([&] { return Shown(led, IDC_LED_YELLOW_GREEN); }, 3000)) << "first tick";
  const DWORD first = GetTickCount();
  EXPECT_GE(first - opened, 500u) << "the LEDs stay off for the first second";
  EXPECT_FALSE(Shown(led, IDC_LED_OFF));
  EXPECT_FALSE(Shown(led, IDC_LED_GREEN_YELLOW));
  // The clock is drawn right after the tick's repaint, inside the frame of its area.
  EXPECT_TRUE(WaitUntil([&] { return DarkPixelsUnderClock(led) > 20; }, 900));
  EXPECT_TRUE(ClockFitsItsArea(led));

  ASSERT_TRUE(WaitUntil([&] { return Shown(led, IDC_LED_GREEN_YELLOW); }, 3000)) << "second tick";
  EXPECT_GE(GetTickCount() - first, 700u);
  EXPECT_FALSE(Shown(led, IDC_LED_YELLOW_GREEN));
  EXPECT_FALSE(Shown(led, IDC_LED_OFF));

  PostMessageW(led, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(glowtick.ExitCode(), 0);
}

TEST(Glowtick, CommandLineOver63CharactersIsRefused) {
  Glowtick glowtick(Padded(L"0;0;", 64));
  ASSERT_TRUE(glowtick.started());
  uitest::BoxAnswerer answer(L"GLOWTICK - START", IDOK, 15000, glowtick.id());
  const uitest::BoxSeen& seen = answer.Join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "Unexpected parameters");
  EXPECT_EQ(glowtick.ExitCode(), 0);
  EXPECT_EQ(uitest::FindProcessWindow(L"#32770", L"", glowtick.id(), false), nullptr) << "no LED window";
}

}  // namespace
}  // namespace vaultrine::led
