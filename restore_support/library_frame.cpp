#include "library_frame.h"

#include <commctrl.h>

#include <cstdio>

#include "common/file_io.h"
#include "common/language.h"
#include "common/message_keys.h"
#include "common/raw_value.h"
#include "common/text_encoding.h"
#include "common/win/engine_windows.h"
#include "common/win/process_runner.h"
#include "common/win/wide.h"
#include "common/error_lines.h"
#include "common/win/message_box_sink.h"
#include "restore_support/request_dialog.h"
#include "restore_support/request_rules.h"
#include "restore_support/result_windows.h"

namespace vaultrine::restore {
namespace {

constexpr int kConsoleSearchLimit = 100;
constexpr size_t kDateMax = 63;
constexpr size_t kErrorTextMax = 2047;

std::string Bounded(const char* text, size_t max_bytes) {
  std::string s(text ? text : "");
  if (s.size() > max_bytes) s.resize(max_bytes);
  return s;
}

}  // namespace

RestoreLibrary& Library() {
  static RestoreLibrary* library = new RestoreLibrary();
  return *library;
}

void RestoreLibrary::Attach(HINSTANCE instance) {
  context_.SetModule(instance);
  // Each run starts a fresh list; a missing one is fine.
  DeleteFileW(win::ToWide(kRestoredListName).c_str());
}

void RestoreLibrary::Start(MessageSink& sink) {
  if (started_) return;
  started_ = true;  // once, even when a box below runs a message loop
  const HINSTANCE instance = context_.module();
  const std::optional<std::string> module = win::ModuleFileName(instance);
  if (module) {
    const size_t slash = module->find_last_of('\\');
    library_folder_ = slash == std::string::npos ? std::string() : module->substr(0, slash);
  } else {
    library_folder_.clear();
    sink.Show({"GetModuleFileName() major failure", "Revivalis3.dll", MessageIcon::kError});
  }
  messages_.LoadMessageFile(library_folder_, sink);
  language_code_ = LanguageCode(DetectLanguage());
  messages_.SelectSection(message_keys::kSection, language_code_);

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  progress_ = std::make_unique<ProgressWindow>(instance, colours_);
  if (progress_->CreateHidden()) {
    progress_rect_ = progress_->ScreenRect();
    progress_->SetNote(Text(message_keys::kProgressNote));
  } else {
    progress_.reset();
  }
}

void RestoreLibrary::Unload(bool process_ending) {
  // An LED left blinking after the engine has gone would tell the user a lie.
  EndIndicator();
  if (process_ending) {
    static_cast<void>(progress_.release());
  } else {
    progress_.reset();
  }
  messages_.ReleaseMessageFile();
  context_.Release();
}

void RestoreLibrary::DisplayTrace(const char* text) {
  if (!progress_window()) return;
  // The engine's text shows as UTF-8 when it is, as the ANSI code page otherwise.
  progress_->SetTitleUtf8(ShowRawValue(text ? text : ""));
  MinimiseEngineConsoles();
}

void RestoreLibrary::MinimiseEngineConsoles() {
  HWND start = progress_window();
  if (!start) return;
  win::WalkWindowsBelow(start, kConsoleSearchLimit, [](HWND window) {
    if (win::TitleNamesProgram(win::WindowTitle(window).c_str(), L"REVIVALIS.EXE")) {
      ShowWindow(window, SW_SHOWMINIMIZED);
    }
    return false;  // every console, not only the first
  });
}

void RestoreLibrary::EndIndicator() {
  if (indicator_) TerminateProcess(indicator_.get(), 0);
  indicator_.reset();
}

void RestoreLibrary::CloseTrace() {
  EndIndicator();
  if (progress_window()) DestroyWindow(progress_->hwnd());
}

void RestoreLibrary::Gauge(GaugeKind kind, int32_t total, int32_t value) {
  if (value == 0) {
    gauge_.Start(total);
    if (progress_window()) progress_->StartGauge(GaugeTitle(kind), total);
    return;
  }
  const std::optional<GaugeUpdate> update = gauge_.Step(value);
  if (!update) return;
  if (progress_window()) progress_->ShowStep(*update);
  PumpWaitingMessages();
}

void RestoreLibrary::ShowProgressAndStartIndicator() {
  if (progress_window()) progress_->ShowAndRepaint();
  EndIndicator();  // one indicator at a time
  char command[64];
  std::snprintf(command, sizeof command, ".\\Glowtick.exe %i;%i;", static_cast<int>(progress_rect_.left),
                static_cast<int>(progress_rect_.top));
  HANDLE process = nullptr;
  if (win::RunNoWait(win::RestoreLibraryNoWaitVariant(), command, ".\\", &process)) indicator_.reset(process);
}

void RestoreLibrary::ShowFileName(const wchar_t* name) {
  if (progress_window()) progress_->ShowFileName(name ? name : L"");
}

std::wstring RestoreLibrary::Text(const char* key) { return win::ToWide(messages_.LookUpMessage(key)); }

std::string RestoreLibrary::ShownCaption() const { return ShowRawValue(caption_); }

void RestoreLibrary::KeepCaption(const char* caption) {
  std::string text(caption ? caption : "");
  CutUtf8(text, kCaptionMax);
  caption_ = text;
}

void RestoreLibrary::AskFilesToRestore(const char* caption) {
  KeepCaption(caption);
  RequestDialog dialog(*this);
  dialog.RunModal(nullptr);
}

void RestoreLibrary::RecordFilename(const char* kind, const wchar_t* name) {
  std::string utf8 = win::FromWide(name ? name : L"");
  CutUtf8(utf8, 511);
  if (list_.Record(kind ? kind : "", utf8)) ShowFileName(name);
}

void RestoreLibrary::CloseListAndReport() {
  list_.Close();
  if (list_.lost() == 0) return;
  const std::u16string format = messages_.LookUpMessage(message_keys::kListIncomplete);
  win::MessageBoxSink sink({}, true);
  sink.Show({IncompleteListNotice(Utf16ToUtf8(format), list_.lost()), ShownCaption(),
             MessageIcon::kWarning});
}

void RestoreLibrary::DisplayGoodResult(const char* caption, const char* date) {
  KeepCaption(caption);
  CloseListAndReport();
  RestoreSuccessWindow window(*this, Bounded(date, kDateMax), list_.counts());
  window.RunModal(nullptr);
  messages_.ReleaseMessageFile();
}

void RestoreLibrary::DisplayBadResult(const char* caption, const char* date, const char* errors) {
  MinimiseEngineConsoles();
  KeepCaption(caption);
  CloseListAndReport();
  const std::vector<std::string> lines = SplitErrorLines(Bounded(errors, kErrorTextMax), kErrorEntryMax);
  bool nothing_requested = false;
  for (const std::string& line : lines) nothing_requested |= IsMissingRequestError(line);
  if (nothing_requested) {
    // The user abandoned the request: a notice says so, no failure window.
    const std::u16string notice = messages_.LookUpMessage(message_keys::kBadNoRequest);
    win::MessageBoxSink sink({}, true);
    sink.Show({Utf16ToUtf8(notice), ShownCaption(), MessageIcon::kInformation});
  } else {
    RestoreFailureWindow window(*this, Bounded(date, kDateMax), lines);
    window.RunModal(nullptr);
  }
  messages_.ReleaseMessageFile();
}

void PumpWaitingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace vaultrine::restore
