// What the restore library keeps from load to unload, and what each export does
// with it. The exports (exports.cpp) only guard and convert; this is the body.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "common/message_file.h"
#include "common/message_sink.h"
#include "common/win/colours.h"
#include "common/win/dialog_colours.h"
#include "common/win/library_guard.h"
#include "common/win/raii.h"
#include "restore_support/gauge.h"
#include "restore_support/progress_window.h"
#include "restore_support/restore_host.h"
#include "restore_support/restored_list.h"

namespace vaultrine::restore {

inline constexpr size_t kCaptionMax = 63;

class RestoreLibrary final : public RestoreHost {
 public:
  RestoreLibrary() = default;
  RestoreLibrary(const RestoreLibrary&) = delete;
  RestoreLibrary& operator=(const RestoreLibrary&) = delete;

  // Process attach, under the loader lock: only the module (which holds the
  // templates) and a fresh restored-files list. No window, no box.
  void Attach(HINSTANCE instance);
  // The engine's first call: message file from the library's folder, language from
  // the catalog, section "MAIN", the progress window hidden. Runs once; never fails,
  // what goes wrong is told through `sink`.
  void Start(MessageSink& sink);
  bool started() const { return started_; }
  // Both at once, for a library object of its own.
  void Load(HINSTANCE instance, MessageSink& sink) {
    Attach(instance);
    Start(sink);
  }
  // The library is unloaded. With `process_ending` the windows are left to the
  // system; otherwise they go now, since their procedure goes with the library.
  void Unload(bool process_ending);

  // Title of the progress window, then the engine's console windows minimised.
  void DisplayTrace(const char* text);
  // Ends the LED indicator and destroys the progress window; harmless when repeated.
  void CloseTrace();
  // value 0 starts the gauge of that kind; other values step it.
  void Gauge(GaugeKind kind, int32_t total, int32_t value);
  // Minimises every window below the progress window whose title names the engine.
  void MinimiseEngineConsoles();

  // The end of a confirmed restore request: the progress window shown, and the LED
  // indicator started over its top-left corner (".\Glowtick.exe <left>;<top>;").
  void ShowProgressAndStartIndicator() override;
  // The restored file's name in the progress window.
  void ShowFileName(const wchar_t* name);
  void KeepCaption(const char* caption);

  // The request dialog; its answer is the request file.
  void AskFilesToRestore(const char* caption);
  // One line of the restored-files list, counted by kind, the name shown.
  void RecordFilename(const char* kind, const wchar_t* name);
  // The result windows; the message file is released after either.
  void DisplayGoodResult(const char* caption, const char* date);
  void DisplayBadResult(const char* caption, const char* date, const char* errors);
  // Standard, compressed, crypted, compressed and crypted.
  const std::array<int, 4>& counts() const { return list_.counts(); }

  win::LibraryContext& context() { return context_; }
  // RestoreHost, for the windows.
  HINSTANCE module() override { return context_.module(); }
  win::DialogColours& colours() override { return colours_; }
  std::wstring Text(const char* key) override;
  std::string ShownCaption() const override;
  const std::string& library_folder() const override { return library_folder_; }

  MessageFile& messages() { return messages_; }
  const std::string& language_code() const { return language_code_; }
  const std::string& caption() const { return caption_; }
  HWND progress_window() const { return progress_ && progress_->exists() ? progress_->hwnd() : nullptr; }
  const RECT& progress_rect() const { return progress_rect_; }
  HANDLE indicator_process() const { return indicator_.get(); }
  const GaugeState& gauge() const { return gauge_; }

 private:
  void EndIndicator();
  // The list closed for the result windows; a list with holes is said first.
  void CloseListAndReport();

  win::LibraryContext context_;
  win::DialogColours colours_{win::colours::kPage, win::colours::kBlack};
  MessageFile messages_{kRestoreMessageFile};
  std::string language_code_ = "eng";
  std::string library_folder_;
  std::string caption_;
  std::unique_ptr<ProgressWindow> progress_;
  RECT progress_rect_{};
  win::UniqueHandle indicator_;
  GaugeState gauge_;
  RestoredList list_;
  bool started_ = false;
};

// The one of this process. Never destroyed: unloading is Unload's business, and no
// destructor may touch windows while the process ends.
RestoreLibrary& Library();

// Dispatches every message waiting in the thread's queue, so the windows repaint
// while the engine works. A quit request is put back for the engine's own loop.
void PumpWaitingMessages();

}  // namespace vaultrine::restore
