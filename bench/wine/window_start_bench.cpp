// How fast each window of the suite comes up: from the start of the process (the two
// programs) or from the export call (the libraries' windows) to the first moment the
// window is on screen with nothing left to paint, against a minimal dialog built the
// same way (its program started alike, or its template shown alike in this process).
// Target and reference alternate, the order swapping each round; medians.
//
//   window_start_bench --work DIR [--repeat 9] [--only PART-OF-A-NAME] [--markdown FILE]
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "backup_support/resource.h"
#include "backup_support/vaultrine_exports.h"
#include "common/win/wide.h"
#include "restore_support/resource.h"
#include "restore_support/restore_export_types.h"
#include "tools/engines/win/engine_support.h"
#include "wine_bench.h"

namespace {

using bench::Format;
using bench::Median;
using bench::wine::Now;
using vaultrine::win::FromWide;
using vaultrine::win::ToWide;

constexpr double kTimeout = 30;

std::wstring Caption(HWND w) {
  wchar_t text[256] = {};
  GetWindowTextW(w, text, 256);
  return text;
}

// Copies a folder's files and subfolders into `to`.
bool CopyTree(const std::wstring& from, const std::wstring& to) {
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ok &= CopyTree(from + L"\\" + name, to + L"\\" + name);
    } else {
      ok &= CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE) != 0;
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return ok;
}

// The template as a parameter file, its destination without a volume name: a
// volume the bench machine lacks would put a warning before the request dialog.
void WriteParameterFile(const std::wstring& template_file, const std::wstring& to) {
  std::ifstream in(FromWide(template_file), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string named = "\"E:\\Vaultrine\" ,name=VAULTRINE1 , search";
  const size_t at = text.find(named);
  if (at != std::string::npos) text.replace(at, named.size(), "\"E:\\Vaultrine\"");
  std::ofstream(FromWide(to), std::ios::binary | std::ios::trunc) << text;
}

struct Measure {
  double ms = -1;  // -1: the window never came
  double visible_ms = -1;
  int controls = 0;
  std::wstring caption;
};

// Starts the program in `folder` and waits for its first painted window.
Measure StartProgram(const std::wstring& exe, const std::wstring& folder, const bench::wine::Accept& accept) {
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  Measure m;
  const double start = Now();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
    return m;
  }
  double when = 0, visible = 0;
  if (HWND w = bench::wine::WaitForPaintedWindow(pi.dwProcessId, accept, kTimeout, when, &visible)) {
    m.ms = bench::wine::Ms(when - start);
    m.visible_ms = bench::wine::Ms(visible - start);
    m.controls = bench::wine::VisibleControls(w);
    m.caption = Caption(w);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return m;
}

// Calls `show` (which runs a modal window on this thread) while a second thread waits
// for the painted window with that caption holding that control, then presses `close_id`.
Measure ShowInProcess(const std::wstring& caption, int holding, int close_id, const std::function<void()>& show) {
  std::atomic<double> when{0};
  std::atomic<HWND> found{nullptr};
  std::wstring seen;
  double visible = 0;
  int controls = 0;
  std::thread watcher([&] {
    double t = 0;
    HWND w = bench::wine::WaitForPaintedWindow(GetCurrentProcessId(), bench::wine::Titled(caption, holding), kTimeout, t,
                                               &visible);
    if (w) {
      when = t;
      seen = Caption(w);
      controls = bench::wine::VisibleControls(w);
      found = w;
      PostMessageW(w, WM_COMMAND, MAKEWPARAM(close_id, BN_CLICKED), 0);
      return;
    }
    // Never painted: close whatever this process shows so the run can go on.
    for (int i = 0; i < 50; ++i) {
      HWND any = bench::wine::VisibleWindowOf(GetCurrentProcessId());
      if (!any) break;
      PostMessageW(any, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      PostMessageW(any, WM_CLOSE, 0, 0);
      Sleep(200);
    }
  });
  Sleep(5);  // the watcher is polling before the window can come
  const double start = Now();
  show();
  watcher.join();
  Measure m;
  if (found) {
    m.ms = bench::wine::Ms(when - start);
    m.visible_ms = bench::wine::Ms(visible - start);
    m.controls = controls;
    m.caption = seen;
  }
  return m;
}

INT_PTR CALLBACK MinimalProcedure(HWND window, UINT message, WPARAM w, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL)) {
    EndDialog(window, LOWORD(w));
    return TRUE;
  }
  return FALSE;
}

Measure MinimalDialogHere() {
  return ShowInProcess(L"Minimal dialog", 102, IDOK, [] {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(100), nullptr, &MinimalProcedure, 0);
  });
}

// A library loaded fresh from the program folder for each window, as each engine
// run loads it; the load and the engine's first call are not timed.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}
  ~LoadedLibrary() {
    if (module_) FreeLibrary(module_);
  }
  template <typename Fn>
  Fn Get(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

struct Target {
  const char* name;
  const char* from;
  bool program;
  std::function<Measure()> run;
};

}  // namespace

int main(int argc, char** argv) {
  const bench::wine::Arguments args(argc, argv);
  const std::string work = args.Get("--work");
  if (work.empty()) {
    std::fprintf(stderr, "usage: window_start_bench --work DIR [--repeat N] [--markdown FILE]\n");
    return 2;
  }
  const int repeat = static_cast<int>(args.Number("--repeat", 9));
  const std::wstring bin = ToWide(bench::wine::ModuleFolder());
  const std::wstring folder = ToWide(work) + L"\\programfolder";
  vaultrine::engines::MakeFolders(work);
  if (!CopyTree(bin + L"\\..\\programfolder", folder)) {
    std::fprintf(stderr, "cannot copy the program folder\n");
    return 1;
  }
  // The editor opens the parameter file beside it; the restore request reads it too.
  const std::wstring parameter_file = folder + L"\\Vaultrine.ini";
  WriteParameterFile(folder + L"\\High_Template_TSN.tsn", parameter_file);
  SetCurrentDirectoryW(folder.c_str());
  const std::wstring minimal = bin + L"\\minimal_dialog.exe";
  const std::wstring restore_dll = folder + L"\\RestoreVaultrine.dll";
  const std::wstring backup_dll = folder + L"\\Vaultrine.dll";

  auto restore_window = [&](const std::function<void(LoadedLibrary&)>& call, int holding, int close_id) {
    LoadedLibrary lib(restore_dll);
    char label[64] = {};
    lib.Get<RestoreGetVolumeNameFn>("GetVolumeName")("", label);  // the engine's first call
    return ShowInProcess(L"Restauration", holding, close_id, [&] { call(lib); });
  };
  auto backup_window = [&](const std::function<void(LoadedLibrary&)>& call, int ok_button) {
    LoadedLibrary lib(backup_dll);
    auto text = lib.Get<GetTranslatedTextFn>("GetTranslatedText");
    for (int id : {480, 490, 501, 502, 503, 504, 505, 508, 509, 510, 631}) text("Texte", id);
    auto record = lib.Get<RecordFilenamesFn>("RecordFilenames");
    for (int i = 0; i < 20; ++i) record("Nouveau", ("C:/Documents/fichier " + std::to_string(i) + ".txt").c_str());
    return ShowInProcess(L"Sauvegarde", ok_button, ok_button, [&] { call(lib); });
  };
  const std::wstring database = folder + L"\\Vaultrine.sqlite";
  const std::vector<Target> targets = {
      {"Launcher (TopVaultrine.exe)", "process start", true,
       [&] { return StartProgram(folder + L"\\TopVaultrine.exe", folder, bench::wine::Titled(L"VAULTRINE 1.92")); }},
      {"Editor with a parameter file (ConfigVaultrine.exe)", "process start", true,
       [&] {
         // What a killed editor leaves would change the next start.
         for (const wchar_t* left : {L"\\Vaultrine.ini.@@@", L"\\ZZZ_Vaultrine.ini.@@@.tmp"}) {
           DeleteFileW((folder + left).c_str());
         }
         WriteParameterFile(folder + L"\\High_Template_TSN.tsn", parameter_file);
         return StartProgram(folder + L"\\ConfigVaultrine.exe", folder, [](HWND w) {
           return FindWindowExW(w, nullptr, L"SysTabControl32", nullptr) != nullptr;
         });
       }},
      {"Restore request dialog (AskFilesToRestore)", "export call", false,
       [&] {
         return restore_window([](LoadedLibrary& l) { l.Get<AskFilesToRestoreFn>("AskFilesToRestore")("Restauration"); },
                               IDC_REQUEST_LIST, IDCANCEL);
       }},
      {"Restore success window (DisplayGoodResult)", "export call", false,
       [&] {
         return restore_window(
             [](LoadedLibrary& l) {
               auto record = l.Get<RecordRestoredFilenameFn>("RecordFilenames");
               for (int i = 0; i < 20; ++i) record("Standard  ", (L"C:\\R\\f" + std::to_wstring(i)).c_str());
               l.Get<DisplayGoodRestoreResultFn>("DisplayGoodResult")("Restauration", "08/12/2026 10:00", "1");
             },
             IDM_SUCCESS_OK, IDM_SUCCESS_OK);
       }},
      {"Restore failure window (DisplayBadResult)", "export call", false,
       [&] {
         return restore_window(
             [](LoadedLibrary& l) {
               l.Get<DisplayBadRestoreResultFn>("DisplayBadResult")("Restauration", "08/12/2026 10:00",
                                                                    "Cannot restore C:\\R\\a.txt\nSecond line\n");
             },
             IDM_FAILURE_OK, IDM_FAILURE_OK);
       }},
      {"Backup success window (DisplayGoodResult)", "export call", false,
       [&] {
         return backup_window([&](LoadedLibrary& l) {
           l.Get<DisplayGoodResultFn>("DisplayGoodResult")("Sauvegarde", "Sauvegarde terminée", "08/12/2026 10:00",
                                                           "20", "0", "0", "81920", "0", database.c_str(),
                                                           "Vaultrine.ini%");
         }, IDC_SUCCESS_OK);
       }},
      {"Backup failure window (DisplayBadResult)", "export call", false,
       [&] {
         return backup_window([](LoadedLibrary& l) {
           l.Get<DisplayBadResultFn>("DisplayBadResult")("Sauvegarde", "Sauvegarde en échec", "08/12/2026 10:00",
                                                         "Cannot copy C:\\a.txt\n");
         }, IDC_FAILURE_OK);
       }},
  };

  bench::Fragment f(args.Get("--markdown"));
  f.Line("## Windows: time to the first painted window, under Wine");
  f.Line("");
  f.Line(Format(
      "From the start of the process (the two programs, started by `CreateProcess`) or from the export call (the "
      "libraries' windows, in a process that has loaded the library fresh and made the engine's first call) to the "
      "first moment the window is visible and neither it nor any of its controls has anything left to paint, as a "
      "second thread polling every millisecond sees it; beside it, when the window was first seen visible (what "
      "comes before is its preparation, what comes after its painting) and how many visible controls it has. The reference is a minimal dialog built the same way "
      "(MinGW, static runtime, the suite's manifest; a template with a label, a field and two buttons): its "
      "program started alike for the programs, its template shown with `DialogBoxParam` in the same process for "
      "the libraries' windows. Each window and its reference alternate, the order swapping each round; medians of "
      "%d rounds after one unmeasured start. The result windows draw their headline 100 ms after painting, by "
      "design; that drawing is not counted. Goal: each window within 1.5 times its reference.",
      repeat));
  f.Line("");
  f.Line("Rerun this section alone with `scripts/wine-bench windows` (it prints the section).");
  f.Line("");
  f.Header({"window", "from", "window ms", "minimal dialog ms", "ratio", "visible after ms (window / minimal)",
            "visible controls (window / minimal)", "window seen"},
           {false, false, true, true, true, true, true, false});
  bool ok = true;
  const std::string only = args.Get("--only");
  for (const Target& t : targets) {
    if (!only.empty() && std::string(t.name).find(only) == std::string::npos) continue;
    auto reference = [&] {
      return t.program ? StartProgram(minimal, folder, bench::wine::Titled(L"Minimal dialog", 102)) : MinimalDialogHere();
    };
    t.run();
    reference();
    std::vector<double> window_ms, reference_ms, window_visible, reference_visible;
    std::wstring caption;
    int window_controls = 0, reference_controls = 0;
    for (int r = 0; r < repeat; ++r) {
      for (int side = 0; side < 2; ++side) {
        const bool window_side = (side == 0) == (r % 2 == 0);
        const Measure m = window_side ? t.run() : reference();
        if (m.ms < 0) {
          std::fprintf(stderr, "%s: %s never painted\n", t.name, window_side ? "window" : "reference");
          ok = false;
          continue;
        }
        (window_side ? window_ms : reference_ms).push_back(m.ms);
        (window_side ? window_visible : reference_visible).push_back(m.visible_ms);
        (window_side ? window_controls : reference_controls) = m.controls;
        if (window_side) caption = m.caption;
      }
    }
    const double w = Median(window_ms), ref = Median(reference_ms);
    std::fprintf(stderr, "%s: %.1f ms vs %.1f ms\n", t.name, w, ref);
    f.Row({t.name, t.from, Format("%.1f", w), Format("%.1f", ref), ref > 0 ? Format("%.2f", w / ref) : "-",
           Format("%.1f / %.1f", Median(window_visible), Median(reference_visible)),
           Format("%d / %d", window_controls, reference_controls), "\"" + FromWide(caption) + "\""});
  }
  f.Line("");
  f.Save();
  return ok ? 0 : 1;
}
