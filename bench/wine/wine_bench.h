// What the benchmarks run under Wine share: a steady clock, the process's memory as
// Windows reports it, the arguments, and the test for a window that is on screen and
// painted. They write their report sections with the native benchmarks' Fragment.
#pragma once
#include <windows.h>

#include <psapi.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/report_fragment.h"

namespace bench::wine {

inline double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

struct Memory {
  uint64_t peak_working_set_kib = 0;
  uint64_t private_kib = 0;  // PagefileUsage: the process's own committed memory
};

inline Memory ProcessMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  Memory m;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
    m.peak_working_set_kib = counters.PeakWorkingSetSize / 1024;
    m.private_kib = counters.PagefileUsage / 1024;
  }
  return m;
}

// "--name value" pairs; a missing name gives `fallback`.
class Arguments {
 public:
  Arguments(int argc, char** argv) : args_(argv + 1, argv + argc) {}
  std::string Get(const std::string& name, const std::string& fallback = "") const {
    for (size_t i = 0; i + 1 < args_.size(); ++i) {
      if (args_[i] == name) return args_[i + 1];
    }
    return fallback;
  }
  long Number(const std::string& name, long fallback) const {
    const std::string v = Get(name);
    return v.empty() ? fallback : std::strtol(v.c_str(), nullptr, 10);
  }
  std::vector<long> Numbers(const std::string& name, const std::string& fallback) const {
    std::vector<long> out;
    std::string v = Get(name, fallback) + ",";
    for (size_t start = 0, comma; (comma = v.find(',', start)) != std::string::npos; start = comma + 1) {
      if (comma > start) out.push_back(std::strtol(v.substr(start, comma - start).c_str(), nullptr, 10));
    }
    return out;
  }
  const std::string& First() const {
    static const std::string none;
    return args_.empty() ? none : args_[0];
  }

 private:
  std::vector<std::string> args_;
};

// A window counts as painted once it is visible and neither it nor any of its
// visible children has anything left to paint. Works for windows of any thread or
// process: the update regions are the window manager's.
inline bool HasNothingToPaint(HWND window) { return !GetUpdateRect(window, nullptr, FALSE); }

inline bool IsPainted(HWND window) {
  if (!window || !IsWindowVisible(window) || !HasNothingToPaint(window)) return false;
  bool clean = true;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM p) -> BOOL {
        if (IsWindowVisible(child) && !HasNothingToPaint(child)) {
          *reinterpret_cast<bool*>(p) = false;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&clean));
  return clean;
}

using Accept = std::function<bool(HWND)>;

// The window with that caption (any when empty) holding a control of that id (unless
// 0): a message box that shares a window's caption is not the window.
inline Accept Titled(std::wstring caption, int holding = 0) {
  return [caption, holding](HWND w) {
    wchar_t text[256] = {};
    GetWindowTextW(w, text, 256);
    return (caption.empty() || caption == text) && (holding == 0 || GetDlgItem(w, holding) != nullptr);
  };
}

// First visible top-level window of the process that `accept` takes (any when empty).
inline HWND VisibleWindowOf(DWORD process_id, const Accept& accept = {}) {
  struct Search {
    DWORD pid;
    const Accept* accept;
    HWND found;
  } search{process_id, &accept, nullptr};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
        if (*s->accept && !(*s->accept)(w)) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Polls every millisecond or so until the process shows a painted window that
// `accept` takes; its handle and the clock then (and when it was first seen visible),
// or null after `timeout_s`.
inline HWND WaitForPaintedWindow(DWORD process_id, const Accept& accept, double timeout_s, double& when,
                                 double* visible_when = nullptr) {
  const double until = Now() + timeout_s;
  bool seen = false;
  while (Now() < until) {
    HWND w = VisibleWindowOf(process_id, accept);
    if (w && !seen && visible_when) *visible_when = Now();
    seen = seen || w;
    if (w && IsPainted(w)) {
      when = Now();
      return w;
    }
    Sleep(1);
  }
  return nullptr;
}

inline std::string ModuleFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path);
  p.resize(p.find_last_of(L'\\'));
  return std::string(p.begin(), p.end());  // the build folder's path is ASCII
}

inline double Ms(double seconds) { return seconds * 1000.0; }

// Visible controls of a window, at any depth.
inline int VisibleControls(HWND window) {
  int n = 0;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM p) -> BOOL {
        if (IsWindowVisible(child)) ++*reinterpret_cast<int*>(p);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&n));
  return n;
}

}  // namespace bench::wine
