// The restore engine's entry points. Each is a thin shell: guard, then the body in
// RestoreLibrary.
#include "restore_support/restore_exports.h"

#include <windows.h>

#include "common/win/message_box_sink.h"
#include "common/win/win32_volume_table.h"
#include "restore_support/library_frame.h"

using vaultrine::restore::GaugeKind;
using vaultrine::restore::Library;

namespace {

// The library starts on the engine's first call, not at load: its boxes and its
// progress window need more than the loader lock allows.
void StartLibrary() {
  if (Library().started()) return;
  vaultrine::win::MessageBoxSink boxes({}, true);
  Library().Start(boxes);
}

template <typename Body>
void Guarded(Body body) noexcept {
  vaultrine::win::GuardedExport(Library().context(), [&] {
    StartLibrary();
    body();
  });
}

template <typename Result, typename Body>
Result Guarded(Result on_failure, Body body) noexcept {
  return vaultrine::win::GuardedExport(Library().context(), on_failure, [&] {
    StartLibrary();
    return body();
  });
}

}  // namespace

extern "C" {

void __cdecl AskFilesToRestore(const char* caption) {
  Guarded([&] { Library().AskFilesToRestore(caption); });
}

void __cdecl DisplayTrace(const char* text) {
  Guarded([&] { Library().DisplayTrace(text); });
}

void __cdecl CloseTrace(void) {
  Guarded([] { Library().CloseTrace(); });
}

short __cdecl GetVolumeName(const char* drive, char* label) {
  if (!label) return vaultrine::kDriveNotSelectable;
  return Guarded(static_cast<short>(vaultrine::kDriveNotSelectable),
                 [&] { return vaultrine::win::GetVolumeNameAnsi(drive, label); });
}

void __cdecl GaugeRestoreStandardFiles(int total, int value) {
  Guarded([&] { Library().Gauge(GaugeKind::kStandard, total, value); });
}

void __cdecl GaugeRestoreCompressedFiles(int total, int value) {
  Guarded([&] { Library().Gauge(GaugeKind::kCompressed, total, value); });
}

void __cdecl GaugeRestoreCryptedFiles(int total, int value) {
  Guarded([&] { Library().Gauge(GaugeKind::kCrypted, total, value); });
}

// The size is not shown: the engine's figure is not reliable, the window says "???".
void __cdecl DisplayGoodResult(const char* caption, const char* date, const char*) {
  Guarded([&] { Library().DisplayGoodResult(caption, date); });
}

void __cdecl DisplayBadResult(const char* caption, const char* date, const char* errors) {
  Guarded([&] { Library().DisplayBadResult(caption, date, errors); });
}

void __cdecl RecordFilenames(const char* kind, const wchar_t* name) {
  Guarded([&] { Library().RecordFilename(kind, name); });
}

void __cdecl GetDiscFromVolumename(const char* label, char* answer) {
  if (!answer) return;
  Guarded([&] { vaultrine::win::GetDiscFromVolumename(label, answer); });
}

}  // extern "C"
