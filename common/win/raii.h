// Owners for the Win32 handles the windows use, so no early return leaks one.
#pragma once
#include <windows.h>

#include <utility>

namespace vaultrine::win {

// Kernel handle closed with CloseHandle. Both null and INVALID_HANDLE_VALUE mean empty.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : h_(h) {}
  UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept { reset(o.release()); return *this; }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  HANDLE release() { return std::exchange(h_, nullptr); }
  void reset(HANDLE h = nullptr) {
    if (*this) CloseHandle(h_);
    h_ = h;
  }

 private:
  HANDLE h_ = nullptr;
};

// GDI object (HBITMAP, HBRUSH, HFONT, HPEN...) freed with DeleteObject.
template <typename T>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(T h) : h_(h) {}
  GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  GdiObject& operator=(GdiObject&& o) noexcept { reset(std::exchange(o.h_, nullptr)); return *this; }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { reset(); }

  T get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void reset(T h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  T h_ = nullptr;
};
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Pen = GdiObject<HPEN>;

// A window's DC taken with GetDC and given back with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND w) : w_(w), dc_(GetDC(w)) {}
  ~WindowDC() { if (dc_) ReleaseDC(w_, dc_); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND w_;
  HDC dc_;
};

// BeginPaint / EndPaint pair for WM_PAINT.
class PaintDC {
 public:
  explicit PaintDC(HWND w) : w_(w) { dc_ = BeginPaint(w, &ps_); }
  ~PaintDC() { EndPaint(w_, &ps_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return dc_; }
  const PAINTSTRUCT& paint() const { return ps_; }

 private:
  HWND w_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Memory DC created with CreateCompatibleDC, freed with DeleteDC.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
  ~MemoryDC() { if (dc_) DeleteDC(dc_); }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// Selects an object into a DC for a scope and puts the previous one back.
class SelectIn {
 public:
  SelectIn(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectIn() { SelectObject(dc_, old_); }
  SelectIn(const SelectIn&) = delete;
  SelectIn& operator=(const SelectIn&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace vaultrine::win
