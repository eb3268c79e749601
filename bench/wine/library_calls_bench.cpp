// What the support libraries cost an engine for every file, under the Windows loader:
// an engine-like loop calls the real DLL's exports (LoadLibrary, GetProcAddress) beside
// its own work, against the same loop doing only its own work, in blocks that
// alternate between the two (the order swapping each time) so that a change of load
// on the shared machine falls on both sides alike.
//
//   library_calls_bench backup  --work DIR [--files 10000,100000] [--records 1000000] [--markdown FILE]
//   library_calls_bench restore --work DIR [--files 10000,100000] [--markdown FILE]
//
// Each count runs in a fresh process (the "-run" modes) so that its peak memory is
// its own. Exits non-zero when a run fails or a list does not hold every record.
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "backup_support/resource.h"
#include "backup_support/vaultrine_exports.h"
#include "common/win/wide.h"
#include "restore_support/resource.h"
#include "restore_support/restore_export_types.h"
#include "tests/ui/helpers/exports.h"
#include "tests/ui/helpers/ui_support.h"
#include "tools/engines/win/engine_support.h"
#include "wine_bench.h"

namespace {

using bench::Format;
using vaultrine::uitest::Export;
using bench::Median;
using bench::wine::Now;
using vaultrine::engines::CopyFileReplacing;
using vaultrine::win::ToWide;

constexpr int kFileBytes = 4096;
constexpr int kFilesPerFolder = 1000;

std::string SourceFile(const std::string& work, long i) {
  return work + "\\src\\d" + std::to_string(i / kFilesPerFolder) + "\\f" + std::to_string(i) + ".dat";
}

// The source tree, made once and grown when a larger count asks for more.
bool MakeSources(const std::string& work, long count) {
  const std::string marker = work + "\\src\\count.txt";
  long have = 0;
  {
    std::ifstream in(marker);
    in >> have;
  }
  std::string content(kFileBytes, 'x');
  for (long i = have; i < count; ++i) {
    const std::string path = SourceFile(work, i);
    if (i % kFilesPerFolder == 0 || i == have) vaultrine::engines::MakeFolders(path.substr(0, path.rfind('\\')));
    content.replace(0, 16, Format("%015ld\n", i));
    HANDLE h = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, content.data(), kFileBytes, &written, nullptr) && written == kFileBytes;
    CloseHandle(h);
    if (!ok) return false;
  }
  if (count > have) std::ofstream(marker, std::ios::trunc) << count;
  return true;
}

// A fresh copy of the library in a folder of its own (with what lies beside it).
bool PlaceLibrary(const std::string& folder, const std::vector<std::string>& files) {
  vaultrine::engines::MakeFolders(folder);
  for (const std::string& f : files) {
    const std::string name = f.substr(f.rfind('\\') + 1);
    if (!CopyFileW(ToWide(f).c_str(), ToWide(folder + "\\" + name).c_str(), FALSE)) {
      std::fprintf(stderr, "cannot copy %s\n", f.c_str());
      return false;
    }
  }
  return true;
}

long CountLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  long n = 0;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) n += buffer[i] == '\n';
  }
  return n;
}

// Per-file times of the two sides, block by block.
struct Blocks {
  std::vector<double> with_library_us, alone_us, overhead_pct, calls_only_us;
  void Add(double with_library_s, double alone_s, long files) {
    with_library_us.push_back(with_library_s * 1e6 / files);
    alone_us.push_back(alone_s * 1e6 / files);
    overhead_pct.push_back((with_library_s / alone_s - 1.0) * 100.0);
  }
};

// Runs the loop over `count` files in blocks. Every `pair_every`th block is a pair:
// the loop with the library and the loop alone over the same files, one after the
// other, the order swapping each pair. The blocks between run only the library's
// calls, so that the list, the gauge and the memory reach the full count in a time
// the shared machine can spare; their per-file time is the calls' own cost.
template <typename WithLibrary, typename Alone, typename CallsOnly>
Blocks Interleave(long count, long block, long pair_every, WithLibrary with_library, Alone alone,
                  CallsOnly calls_only) {
  Blocks blocks;
  long pairs = 0;
  for (long first = 0, index = 0; first < count; first += block, ++index) {
    const long last = std::min(count, first + block);
    if (index % pair_every != 0) {
      const double start = Now();
      calls_only(first, last);
      blocks.calls_only_us.push_back((Now() - start) * 1e6 / (last - first));
      continue;
    }
    double t_with = 0, t_alone = 0;
    for (int side = 0; side < 2; ++side) {
      const bool library_side = (side == 0) == (pairs % 2 == 0);
      const double start = Now();
      if (library_side) {
        with_library(first, last);
        t_with = Now() - start;
      } else {
        alone(first, last);
        t_alone = Now() - start;
      }
    }
    ++pairs;
    blocks.Add(t_with, t_alone, last - first);
  }
  return blocks;
}

void WriteResults(const std::string& path, const std::map<std::string, std::string>& values) {
  std::ofstream out(path, std::ios::trunc);
  for (const auto& [k, v] : values) out << k << ' ' << v << '\n';
}

std::map<std::string, std::string> ReadResults(const std::string& path) {
  std::map<std::string, std::string> values;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    const size_t space = line.find(' ');
    if (space != std::string::npos) values[line.substr(0, space)] = line.substr(space + 1);
  }
  return values;
}

void AddTimes(std::map<std::string, std::string>& out, const Blocks& b) {
  out["with_library_us"] = Format("%.1f", Median(b.with_library_us));
  out["alone_us"] = Format("%.1f", Median(b.alone_us));
  out["overhead_pct"] = Format("%.1f", Median(b.overhead_pct));
  out["pairs"] = std::to_string(b.overhead_pct.size());
  out["calls_only_us"] = b.calls_only_us.empty() ? "-" : Format("%.1f", Median(b.calls_only_us));
}

void AddMemory(std::map<std::string, std::string>& out, const bench::wine::Memory& loaded) {
  const bench::wine::Memory end = bench::wine::ProcessMemory();
  out["loaded_peak_kib"] = std::to_string(loaded.peak_working_set_kib);
  out["peak_kib"] = std::to_string(end.peak_working_set_kib);
  out["loaded_private_kib"] = std::to_string(loaded.private_kib);
  out["private_kib"] = std::to_string(end.private_kib);
}

// The engine's own line for a record, as its own log would hold it.
std::string RecordText(long i) {
  return "C:/Users/jdupont/Documents/rapport " + std::to_string(i % 97) + "/fichier_" + std::to_string(i) + ".odt";
}

int BackupRun(const bench::wine::Arguments& args) {
  const std::string work = args.Get("--work");
  const long count = args.Number("--count", 10000);
  const bool records_only = args.Get("--mode") == "records";
  const long pair_every = args.Number("--pair-every", 1);
  const long sources = records_only ? std::min<long>(count, 10000) : count;
  if (!MakeSources(work, sources)) return 1;
  const std::string lib = work + "\\backup-lib";
  if (!PlaceLibrary(lib, {bench::wine::ModuleFolder() + "\\Vaultrine.dll"})) return 1;
  const std::string run = work + "\\backup-run";
  vaultrine::engines::MakeFolders(run);
  SetCurrentDirectoryW(ToWide(run).c_str());

  HMODULE dll = LoadLibraryW(ToWide(lib + "\\Vaultrine.dll").c_str());
  if (!dll) return 1;
  auto get_text = Export<GetTranslatedTextFn>(dll, "GetTranslatedText");
  auto record = Export<RecordFilenamesFn>(dll, "RecordFilenames");
  auto time_size = Export<GetFileTimeAndSizeFn>(dll, "GetFileTimeAndSize");
  if (!get_text || !record || !time_size) return 1;
  get_text("Nouveaux", IDC_NEW_LABEL);
  get_text("Modifi\xC3\xA9s", IDC_MODIFIED_LABEL);

  std::vector<std::string> source(sources);
  std::vector<std::wstring> source_wide(sources);
  for (long i = 0; i < sources; ++i) {
    source[i] = SourceFile(work, i);
    source_wide[i] = ToWide(source[i]);
  }
  // After the benchmark's own tables, so what grows later is the library's.
  const bench::wine::Memory loaded = bench::wine::ProcessMemory();
  const char* label = "Nouveau";
  long recorded = 0;
  bool copies_ok = true;
  Blocks blocks;
  if (!records_only) {
    auto target = [&](const char* side, long i) {
      return work + "\\" + side + "\\d" + std::to_string(i / kFilesPerFolder) + "\\f" + std::to_string(i) + ".dat";
    };
    blocks = Interleave(
        count, 500, pair_every,
        [&](long first, long last) {
          char time_text[16], size_text[16];
          for (long i = first; i < last; ++i) {
            time_size(source_wide[i].c_str(), time_text, size_text);
            copies_ok &= CopyFileReplacing(source[i], target("dst-library", i));
            record(label, source[i].c_str());
            ++recorded;
          }
        },
        [&](long first, long last) {
          for (long i = first; i < last; ++i) copies_ok &= CopyFileReplacing(source[i], target("dst-alone", i));
        },
        [&](long first, long last) {
          char time_text[16], size_text[16];
          for (long i = first; i < last; ++i) {
            time_size(source_wide[i].c_str(), time_text, size_text);
            record(label, source[i].c_str());
            ++recorded;
          }
        });
  } else {
    // Both sides write the engine's own line to a log of their own; the library side
    // also asks for the time and size and records the file.
    auto open_log = [&](const char* name) {
      return CreateFileW(ToWide(run + "\\" + name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         0, nullptr);
    };
    HANDLE log_with = open_log("engine-with-library.log"), log_alone = open_log("engine-alone.log");
    auto write_line = [&](HANDLE log, const std::string& text) {
      const std::string line = std::string(label) + ": " + text + "\r\n";
      DWORD written = 0;
      copies_ok &= WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != 0;
    };
    auto with_library = [&](long first, long last) {
      char time_text[16], size_text[16];
      for (long i = first; i < last; ++i) {
        const std::string text = RecordText(i);
        time_size(source_wide[i % sources].c_str(), time_text, size_text);
        write_line(log_with, text);
        record(label, text.c_str());
        ++recorded;
      }
    };
    blocks = Interleave(
        count, 10000, pair_every, with_library,
        [&](long first, long last) {
          for (long i = first; i < last; ++i) write_line(log_alone, RecordText(i));
        },
        with_library);
    CloseHandle(log_with);
    CloseHandle(log_alone);
  }
  std::map<std::string, std::string> out;
  AddMemory(out, loaded);
  AddTimes(out, blocks);
  FreeLibrary(dll);  // closes the list
  const long lines = CountLines(run + "\\Vaultrine_FileList.txt");
  out["recorded"] = std::to_string(recorded);
  out["listed"] = std::to_string(lines);
  WriteResults(args.Get("--out"), out);
  return copies_ok && lines == recorded ? 0 : 1;
}

// The progress bar's position, percentage and painted length, read by a second thread
// while the engine's thread runs the loop.
struct Sample {
  double t = 0;
  int position = -1;
  std::string percent;
  int painted = -1;
};

class ProgressWatcher {
 public:
  explicit ProgressWatcher(HWND window) : window_(window) {
    thread_ = std::thread([this] { Watch(); });
  }
  ~ProgressWatcher() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  const std::vector<Sample>& samples() const { return samples_; }

 private:
  void Watch() {
    HWND bar = GetDlgItem(window_, IDC_PROGRESS_BAR);
    HWND percent = GetDlgItem(window_, IDC_PROGRESS_PERCENT);
    const double start = Now();
    while (!stop_) {
      Sample s;
      s.t = Now() - start;
      DWORD_PTR result = 0;
      // The engine's thread answers when its gauge step pumps the queue.
      if (SendMessageTimeoutW(bar, PBM_GETPOS, 0, 0, SMTO_NORMAL, 500, &result)) s.position = static_cast<int>(result);
      wchar_t text[32] = {};
      if (SendMessageTimeoutW(percent, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 500, &result)) {
        s.percent = vaultrine::win::FromWide(text);
      }
      RECT area{};
      GetClientRect(bar, &area);
      s.painted = vaultrine::uitest::CountPixels(bar, area, [](COLORREF c) {
        return vaultrine::uitest::NearColour(c, RGB(72, 102, 159), 24);
      });
      samples_.push_back(s);
      for (int i = 0; i < 10 && !stop_; ++i) Sleep(25);
    }
  }

  HWND window_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::vector<Sample> samples_;
};

HWND ProgressWindowOfThisProcess() {
  HWND w = nullptr;
  while ((w = FindWindowExW(nullptr, w, L"#32770", L"Revivalis progression")) != nullptr) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId()) return w;
  }
  return nullptr;
}

void Pump(double seconds) {
  const double until = Now() + seconds;
  while (Now() < until) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

int RestoreRun(const bench::wine::Arguments& args) {
  const std::string work = args.Get("--work");
  const long count = args.Number("--count", 10000);
  const long pair_every = args.Number("--pair-every", 1);
  if (!MakeSources(work, count)) return 1;
  const std::string bin = bench::wine::ModuleFolder();
  const std::string lib = work + "\\restore-lib";
  if (!PlaceLibrary(lib, {bin + "\\RestoreVaultrine.dll", bin + "\\..\\programfolder\\RestoreVaultrine.mes"})) {
    return 1;
  }
  const std::string run = work + "\\restore-run";
  vaultrine::engines::MakeFolders(run);
  SetCurrentDirectoryW(ToWide(run).c_str());

  HMODULE dll = LoadLibraryW(ToWide(lib + "\\RestoreVaultrine.dll").c_str());
  if (!dll) return 1;
  auto volume = Export<RestoreGetVolumeNameFn>(dll, "GetVolumeName");
  auto trace = Export<DisplayTraceFn>(dll, "DisplayTrace");
  auto close_trace = Export<CloseTraceFn>(dll, "CloseTrace");
  auto gauge = Export<GaugeRestoreFn>(dll, "GaugeRestoreStandardFiles");
  auto record = Export<RecordRestoredFilenameFn>(dll, "RecordFilenames");
  if (!volume || !trace || !close_trace || !gauge || !record) return 1;
  char label[64] = {};
  volume("", label);  // the first call prepares the progress window, hidden
  HWND progress = ProgressWindowOfThisProcess();
  if (!progress) return 1;
  // What the confirmed request does: the window on screen for the whole restore.
  ShowWindow(progress, SW_SHOWNOACTIVATE);
  UpdateWindow(progress);
  trace("Restauration vers C:\\Restauration");

  std::vector<std::string> source(count);
  std::vector<std::wstring> restored_wide(count);
  auto target = [&](const char* side, long i) {
    return work + "\\" + side + "\\d" + std::to_string(i / kFilesPerFolder) + "\\f" + std::to_string(i) + ".dat";
  };
  for (long i = 0; i < count; ++i) {
    source[i] = SourceFile(work, i);
    restored_wide[i] = ToWide(target("restored-library", i));
  }
  const bench::wine::Memory loaded = bench::wine::ProcessMemory();
  const int total = static_cast<int>(count);
  gauge(total, 0);
  int value = 0;
  bool copies_ok = true;
  ProgressWatcher watcher(progress);
  const Blocks blocks = Interleave(
      count, 500, pair_every,
      [&](long first, long last) {
        for (long i = first; i < last; ++i) {
          copies_ok &= CopyFileReplacing(source[i], target("restored-library", i));
          record("Standard  ", restored_wide[i].c_str());
          gauge(total, ++value);
        }
      },
      [&](long first, long last) {
        for (long i = first; i < last; ++i) copies_ok &= CopyFileReplacing(source[i], target("restored-alone", i));
      },
      [&](long first, long last) {
        for (long i = first; i < last; ++i) {
          record("Standard  ", restored_wide[i].c_str());
          gauge(total, ++value);
        }
      });
  watcher.Stop();
  // The last name must be the one on screen once the window has been served (a held
  // name waits at most a quarter second).
  const std::string last_name = vaultrine::win::FromWide(restored_wide.back());
  bool last_name_shown = false;
  for (int i = 0; i < 40 && !last_name_shown; ++i) {
    Pump(0.05);
    last_name_shown = vaultrine::uitest::TextOf(GetDlgItem(progress, IDC_PROGRESS_STEP)) == last_name;
  }

  std::map<std::string, std::string> out;
  AddMemory(out, loaded);
  AddTimes(out, blocks);
  // The samples taken while the loop ran, a few of them spread over it.
  const std::vector<Sample>& samples = watcher.samples();
  std::set<int> positions;
  for (const Sample& s : samples) {
    if (s.position >= 0) positions.insert(s.position);
  }
  std::string seen;
  const size_t shown = std::min<size_t>(samples.size(), 6);
  for (size_t k = 0; k < shown; ++k) {
    const Sample& s = samples[shown < 2 ? 0 : k * (samples.size() - 1) / (shown - 1)];
    if (!seen.empty()) seen += ", ";
    seen += Format("%.1f s: %s, %d px", s.t, s.percent.empty() ? "-" : s.percent.c_str(), s.painted);
  }
  out["samples"] = std::to_string(samples.size());
  out["positions"] = std::to_string(positions.size());
  out["seen"] = seen;
  out["last_name_shown"] = last_name_shown ? "yes" : "no";
  close_trace();
  FreeLibrary(dll);
  const long lines = CountLines(run + "\\Revivalis_FileList.txt");
  out["recorded"] = std::to_string(value);
  out["listed"] = std::to_string(lines);
  WriteResults(args.Get("--out"), out);
  return copies_ok && lines == value && last_name_shown ? 0 : 1;
}

// Runs one count in a fresh process of this program and reads what it found.
bool RunChild(const std::string& mode, const std::string& work, long count, const std::string& extra,
              std::map<std::string, std::string>& results) {
  const std::string out = work + "\\" + mode + "-" + std::to_string(count) + ".txt";
  DeleteFileW(ToWide(out).c_str());
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" " + ToWide(mode) + L" --work \"" + ToWide(work) +
                         L"\" --count " + std::to_wstring(count) + L" --out \"" + ToWide(out) + L"\" " + ToWide(extra);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  results = ReadResults(out);
  if (code != 0) std::fprintf(stderr, "%s %ld failed (exit %lu)\n", mode.c_str(), count, code);
  return code == 0 && !results.empty();
}

// Above 10k files only every tenth block is a pair: the copies of 100k files twice
// over would hold the shared machine for many minutes.
long PairEvery(long count) { return count <= 10000 ? 1 : 10; }

const char* kRerun = "Rerun this section alone with `scripts/wine-bench %s` (it prints the section).";

int Backup(const bench::wine::Arguments& args) {
  const std::string work = args.Get("--work");
  bench::Fragment f(args.Get("--markdown"));
  f.Line("## Backup library per file, under Wine");
  f.Line("");
  f.Line("An engine-like loop over N files calls, for every file, `GetFileTimeAndSize` and `RecordFilenames` of the "
         "real `Vaultrine.dll` (loaded with `LoadLibrary`, its exports found with `GetProcAddress`, as the engine "
         "does) beside its own work: the copy of the 4 KB file (the stand-in engine's `CopyFileReplacing`, which "
         "keeps the time) or, for 1M records, a write of the record's line to a log of its own. The reference is the "
         "same loop doing only its own work. The two run over the same files in pairs of blocks of 500 files (10000 "
         "records), the order swapping each pair, so a change of load falls on both; overhead is the median over "
         "the pairs of (with library / alone - 1). At 100k only every tenth block is a pair and the blocks between "
         "make the library's calls alone (their per-file time is the calls' column), so the list and the memory "
         "still see every file. Memory is the process's as `GetProcessMemoryInfo` gives it: peak working set and "
         "private bytes, after the library was loaded and after the run; each N is a fresh process, so the peak is "
         "its own. x86_64 build under Wine 8.");
  f.Line("");
  f.Line(Format(kRerun, "backup"));
  f.Line("");
  f.Header({"N", "own work", "with library µs/file", "alone µs/file", "library overhead", "pairs",
            "calls alone µs/file", "peak WS KiB (loaded → end)", "private KiB (loaded → end)"},
           {true, false, true, true, true, true, true, true, true});
  bool ok = true;
  auto row = [&](long n, const char* work_kind, const std::map<std::string, std::string>& r) {
    f.Row({std::to_string(n), work_kind, r.at("with_library_us"), r.at("alone_us"), r.at("overhead_pct") + " %",
           r.at("pairs"), r.at("calls_only_us"), r.at("loaded_peak_kib") + " → " + r.at("peak_kib"), r.at("loaded_private_kib") + " → " + r.at("private_kib")});
  };
  for (long n : args.Numbers("--files", "10000,100000")) {
    std::map<std::string, std::string> r;
    if (!RunChild("backup-run", work, n, "--pair-every " + std::to_string(PairEvery(n)), r)) {
      ok = false;
      continue;
    }
    row(n, "copy of 4 KB", r);
  }
  for (long n : args.Numbers("--records", "1000000")) {
    std::map<std::string, std::string> r;
    if (!RunChild("backup-run", work, n, "--mode records", r)) {
      ok = false;
      continue;
    }
    row(n, "line to own log", r);
  }
  f.Line("");
  if (!ok) return 1;
  return f.Save() ? 0 : 1;
}

int Restore(const bench::wine::Arguments& args) {
  const std::string work = args.Get("--work");
  bench::Fragment f(args.Get("--markdown"));
  f.Line("## Restore library per file, under Wine");
  f.Line("");
  f.Line("The loop the restore stand-in runs: the copy of a 4 KB file, then `RecordFilenames` (the list line, the "
         "count, the name in the progress window) and `GaugeRestoreStandardFiles` of the real `RestoreVaultrine.dll`, "
         "with the progress window on screen (shown as a confirmed request shows it), against the copy alone. "
         "Pairs of blocks of 500 files, the order swapping each pair; overhead is the median over the pairs of "
         "(with library / alone - 1). At 100k only every tenth block is a pair and the blocks between make the "
         "library's calls alone (the calls' column), so the list and the gauge run over every file. While the loop runs a second thread reads, every quarter second, the "
         "bar's position and the percentage (answered when a gauge step serves the window) and counts the pixels of "
         "the bar's colour painted in the bar; the last column shows a few of those readings spread over the run. "
         "After the loop the file field must show the last file's name.");
  f.Line("");
  f.Line(Format(kRerun, "restore"));
  f.Line("");
  f.Header({"N", "with library µs/file", "copy alone µs/file", "library overhead", "pairs", "calls alone µs/file",
            "peak WS KiB (loaded → end)", "bar readings (distinct positions / samples)",
            "percentage and painted bar, spread over the run", "last name shown"},
           {true, true, true, true, true, true, true, true, false, false});
  bool ok = true;
  for (long n : args.Numbers("--files", "10000,100000")) {
    std::map<std::string, std::string> r;
    if (!RunChild("restore-run", work, n, "--pair-every " + std::to_string(PairEvery(n)), r)) ok = false;
    if (r.empty()) continue;
    f.Row({std::to_string(n), r["with_library_us"], r["alone_us"], r["overhead_pct"] + " %", r["pairs"],
           r["calls_only_us"], r["loaded_peak_kib"] + " → " + r["peak_kib"], r["positions"] + " / " + r["samples"], r["seen"],
           r["last_name_shown"]});
  }
  f.Line("");
  f.Save();
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bench::wine::Arguments args(argc, argv);
  const std::string& mode = args.First();
  if (args.Get("--work").empty()) {
    std::fprintf(stderr, "usage: library_calls_bench backup|restore --work DIR [--markdown FILE]\n");
    return 2;
  }
  if (mode == "backup") return Backup(args);
  if (mode == "restore") return Restore(args);
  if (mode == "backup-run") return BackupRun(args);
  if (mode == "restore-run") return RestoreRun(args);
  std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
  return 2;
}
