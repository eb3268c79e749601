#include "tests/ui/backup_support/result_window_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "common/win/screen_dpi.h"
#include "common/win/wide.h"
#include "tests/ui/helpers/exports.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::uitest {

BackupLibraryRun::BackupLibraryRun() : dll_(LoadLibraryW(L"Vaultrine.dll")) {
  if (!dll_) return;
  get_translated_text = Export<GetTranslatedTextFn>(dll_, "GetTranslatedText");
  display_good = Export<DisplayGoodResultFn>(dll_, "DisplayGoodResult");
  display_bad = Export<DisplayBadResultFn>(dll_, "DisplayBadResult");
  record = Export<RecordFilenamesFn>(dll_, "RecordFilenames");
}

BackupLibraryRun::~BackupLibraryRun() {
  if (dll_) FreeLibrary(dll_);
}

std::string ItemText(HWND dialog, int id) { return win::GetWindowTextUtf8(GetDlgItem(dialog, id)); }

bool ItemVisible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }


int HeadlineWidth(const std::string& ansi) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontA(ScaleForDpi(34, win::ScreenDpi()), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, ansi.data(), static_cast<int>(ansi.size()), &size);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

POINT DialogPixels(HWND dialog, int x_units, int y_units) {
  RECT r{x_units, y_units, x_units, y_units};
  MapDialogRect(dialog, &r);
  return {r.left, r.top};
}

void ExpectHeadline(HWND window, const std::string& headline, COLORREF colour) {
  const POINT banner = DialogPixels(window, 65, 19);
  // Pixels of the 96 dpi banner, scaled as the window scales its pictures and font.
  const int dpi = win::ScreenDpi();
  const int kLeft = banner.x + 1, kTop = banner.y + 1, kSignStart = banner.x + ScaleForDpi(465, dpi),
            kRows = ScaleForDpi(28, dpi);
  const int cut = kLeft + HeadlineWidth(headline.substr(0, 48));
  const auto ink = [colour](COLORREF px) { return NearColour(px, colour); };
  EXPECT_TRUE(WaitUntil([&] { return CountPixels(window, {kLeft, kTop, cut, kTop + kRows}, ink) > 20; }))
      << "headline drawn";
  if (headline.size() <= 48) return;
  EXPECT_LT(cut + 14, kSignStart) << "the test headline is too wide for this font";
  EXPECT_EQ(CountPixels(window, {cut + 4, kTop, kSignStart, kTop + kRows}, ink), 0)
      << "nothing after the 48th character";
}

void SaveShotIfAsked(HWND window, const char* name) {
  wchar_t folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"VAULTRINE_SHOTS_DIR", folder, MAX_PATH)) return;
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int stride = (w * 3 + 3) & ~3;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * h);
  std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
  bytes.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
  bytes.append(static_cast<const char*>(bits), static_cast<size_t>(stride) * h);
  WriteFileBytes(win::FromWide(folder) + "\\" + name + ".bmp", bytes);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace vaultrine::uitest
