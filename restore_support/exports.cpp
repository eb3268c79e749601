// The restore engine's entry points. Each is a thin shell: guard, then the body in
// RestoreLibrary.
#include "restore_support/restore_exports.h"

#include <windows.h>

#include "common/win/win32_volume_table.h"
#include "restore_support/library_frame.h"

using vaultrine::restore::GaugeKind;
using vaultrine::restore::Library;

namespace {

template <typename Body>
void Guarded(Body body) noexcept {
  vaultrine::win::GuardedExport(Library().context(), body);
}

template <typename Result, typename Body>
Result Guarded(Result on_failure, Body body) noexcept {
  return vaultrine::win::GuardedExport(Library().context(), on_failure, body);
}

}  // namespace

extern "C" {

// The request dialog is not built yet: only the caption is kept, no request file is
// written, so the engine finds nothing to restore.
void __cdecl AskFilesToRestore(const char* caption) {
  Guarded([&] { Library().KeepCaption(caption); });
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

// The result windows are not built yet: these show nothing, and the message file
// stays loaded.
void __cdecl DisplayGoodResult(const char* caption, const char*, const char*) {
  Guarded([&] { Library().KeepCaption(caption); });
}

void __cdecl DisplayBadResult(const char* caption, const char*, const char*) {
  Guarded([&] { Library().KeepCaption(caption); });
}

// The restored-files list and the counts are not written yet: for now the name is
// only shown in the progress window.
void __cdecl RecordFilenames(const char*, const wchar_t* name) {
  Guarded([&] { Library().ShowFileName(name); });
}

void __cdecl GetDiscFromVolumename(const char* label, char* answer) {
  if (!answer) return;
  Guarded([&] { vaultrine::win::GetDiscFromVolumename(label, answer); });
}

}  // extern "C"
