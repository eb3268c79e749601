// Stand-in for the restore engine Revivalis.exe, for tests and the demo. It asks
// RestoreVaultrine.dll for the request, reads ".\DecryptList.txt" and copies the
// chosen files and folders of the backup into the restore folder, reporting through
// the progress window, the gauge and the restored-files list, then shows the result.
// Every file is a standard one: the stand-in neither decompresses nor decrypts.
#include <windows.h>

#include <memory>

#include "common/file_io.h"
#include "common/win/wide.h"
#include "tools/engines/core/engine_texts.h"
#include "tools/engines/core/path_rules.h"
#include "tools/engines/core/restore_request.h"
#include "tools/engines/win/console_window.h"
#include "tools/engines/win/engine_support.h"

namespace vaultrine::engines {
namespace {

using win::ToWide;

// The restore library's exports (C calling convention).
using AskFilesToRestoreFn = void(__cdecl*)(const char* caption);
using DisplayTraceFn = void(__cdecl*)(const char* text);
using CloseTraceFn = void(__cdecl*)();
using GaugeFn = void(__cdecl*)(int total, int value);
using RecordFilenamesFn = void(__cdecl*)(const char* kind, const wchar_t* name);
using DisplayGoodResultFn = void(__cdecl*)(const char* caption, const char* date, const char* size);
using DisplayBadResultFn = void(__cdecl*)(const char* caption, const char* date, const char* errors);

struct Copy {
  std::string from;
  std::string to;
};

class RestoreEngine {
 public:
  explicit RestoreEngine(HINSTANCE instance) : console_(instance) {}

  int Run() {
    console_.Open();
    catalog_ = LoadCatalog();
    if (!LoadLibraryExports(win::ModuleFolder(nullptr) + "\\RestoreVaultrine.dll")) return 2;

    ask_(kRestoreCaption);
    console_.Log(Tr(msg::kReadingRequest, kRequestFileName));
    const auto bytes = ReadWholeFile(kRequestFileName);
    if (!bytes) {
      // Nothing was asked for: the library recognises this line and says so.
      console_.Log(kMissingRequestLine);
      return Finish(std::string(kMissingRequestLine) + "\n");
    }
    const auto request = ParseRestoreRequest(*bytes);
    if (!request) return Finish(Tr(msg::kCannotRead, kRequestFileName) + "\n");

    std::vector<Copy> copies = Gather(*request);
    display_trace_(Tr(msg::kRestoring, request->destination).c_str());
    const int total = static_cast<int>(copies.size());
    if (total > 0) gauge_(total, 0);
    uint64_t size = 0;
    for (int i = 0; i < total; ++i) {
      const Copy& c = copies[i];
      console_.Log(Tr(msg::kRestoring, c.from));
      if (CopyFileReplacing(c.from, c.to)) {
        record_(kStandardKind, ToWide(c.to).c_str());
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExW(ToWide(c.to).c_str(), GetFileExInfoStandard, &data)) {
          size += (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        }
      } else {
        Error(Tr(msg::kCannotRestore, c.from));
      }
      gauge_(total, i + 1);
      PauseForTheDemo();
    }
    if (!errors_.empty()) return Finish(errors_);
    close_trace_();
    console_.Log(Tr(msg::kRestoreCompleted));
    display_good_(kRestoreCaption, LocalDateText().c_str(), std::to_string(size).c_str());
    return 0;
  }

 private:
  std::string Tr(const char* msgid) const { return catalog_.Translate(msgid); }
  std::string Tr(const char* msgid, const std::string& value) const {
    return Substitute(catalog_.Translate(msgid), {value});
  }

  bool LoadLibraryExports(const std::string& path) {
    library_ = std::make_unique<Library>(path);
    ask_ = library_->Get<AskFilesToRestoreFn>("AskFilesToRestore");
    display_trace_ = library_->Get<DisplayTraceFn>("DisplayTrace");
    close_trace_ = library_->Get<CloseTraceFn>("CloseTrace");
    gauge_ = library_->Get<GaugeFn>("GaugeRestoreStandardFiles");
    record_ = library_->Get<RecordFilenamesFn>("RecordFilenames");
    display_good_ = library_->Get<DisplayGoodResultFn>("DisplayGoodResult");
    display_bad_ = library_->Get<DisplayBadResultFn>("DisplayBadResult");
    const std::string problem = library_->Problem();
    if (problem.empty()) return true;
    console_.Log(problem);
    MessageBoxW(console_.hwnd(), ToWide(problem).c_str(), ToWide(kRestoreCaption).c_str(), MB_OK | MB_ICONERROR);
    return false;
  }

  // The demo sets VAULTRINE_STANDIN_PAUSE_MS so that the progress window stays long
  // enough to be photographed; the window keeps being served meanwhile.
  static void PauseForTheDemo() {
    wchar_t text[16] = {};
    if (!GetEnvironmentVariableW(L"VAULTRINE_STANDIN_PAUSE_MS", text, 16)) return;
    const DWORD until = GetTickCount() + static_cast<DWORD>(_wtoi(text));
    while (static_cast<int>(until - GetTickCount()) > 0) {
      ConsoleWindow::Pump();
      Sleep(20);
    }
  }

  void Error(const std::string& text) {
    console_.Log(text);
    errors_ += text + "\n";
  }

  // Ends a run that did not restore everything: the trace goes, the failure shows.
  int Finish(const std::string& error_text) {
    close_trace_();
    console_.Log(Tr(msg::kRestoreFailed));
    display_bad_(kRestoreCaption, LocalDateText().c_str(), error_text.c_str());
    return 1;
  }

  std::vector<Copy> Gather(const RestoreRequest& request) {
    std::vector<Copy> copies;
    for (const std::string& entry : request.entries) {
      std::vector<std::string> files, unreadable;
      if (IsFolderEntry(entry) && IsFolder(entry)) {
        files = ListFiles(entry, unreadable);
      } else if (!IsFolderEntry(entry) && IsFile(entry)) {
        files.push_back(entry);
      } else {
        unreadable.push_back(entry);
      }
      for (const std::string& bad : unreadable) Error(Tr(msg::kCannotRestore, bad));
      for (const std::string& file : files) {
        const std::string to = RestoreTarget(request.destination, entry, file);
        if (!to.empty()) copies.push_back({file, to});
      }
    }
    return copies;
  }

  ConsoleWindow console_;
  Catalog catalog_;
  std::unique_ptr<Library> library_;
  std::string errors_;
  AskFilesToRestoreFn ask_ = nullptr;
  DisplayTraceFn display_trace_ = nullptr;
  CloseTraceFn close_trace_ = nullptr;
  GaugeFn gauge_ = nullptr;
  RecordFilenamesFn record_ = nullptr;
  DisplayGoodResultFn display_good_ = nullptr;
  DisplayBadResultFn display_bad_ = nullptr;
};

}  // namespace
}  // namespace vaultrine::engines

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    return vaultrine::engines::RestoreEngine(instance).Run();
  } catch (...) {
    return 3;
  }
}
