// A RestoreVaultrine.dll that shows nothing and records every call of the engine in
// the journal. Its request dialog is VAULTRINE_FAKE_REQUEST: the file of that name is
// copied to ".\DecryptList.txt" as a confirmed request would write it; without it the
// request file is deleted, as when the user abandons.
#include <windows.h>

#include <string>

#include "tests/ui/engines/journal.h"

using vaultrine::uitest::EngineWindowPresent;
using vaultrine::uitest::Journal;
using vaultrine::uitest::Utf8Of;

namespace {
std::string Text(const char* s) { return s ? s : "(null)"; }
const char* Console() { return EngineWindowPresent("REVIVALIS.EXE") ? "engine window" : "no engine window"; }
}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Journal({"Load", Console()});
  return TRUE;
}

extern "C" {

void __cdecl AskFilesToRestore(const char* caption) {
  Journal({"AskFilesToRestore", Text(caption)});
  DeleteFileW(L".\\DecryptList.txt");
  wchar_t request[1024];
  const DWORD n = GetEnvironmentVariableW(L"VAULTRINE_FAKE_REQUEST", request, 1024);
  if (n > 0 && n < 1024) CopyFileW(request, L".\\DecryptList.txt", FALSE);
}

void __cdecl DisplayTrace(const char* text) { Journal({"DisplayTrace", Text(text), Console()}); }
void __cdecl CloseTrace() { Journal({"CloseTrace"}); }
void __cdecl GaugeRestoreStandardFiles(int total, int value) {
  Journal({"GaugeRestoreStandardFiles", std::to_string(total), std::to_string(value)});
}
void __cdecl GaugeRestoreCompressedFiles(int total, int value) {
  Journal({"GaugeRestoreCompressedFiles", std::to_string(total), std::to_string(value)});
}
void __cdecl GaugeRestoreCryptedFiles(int total, int value) {
  Journal({"GaugeRestoreCryptedFiles", std::to_string(total), std::to_string(value)});
}
void __cdecl RecordFilenames(const char* kind, const wchar_t* name) { Journal({"RecordFilenames", Text(kind), Utf8Of(name)}); }
void __cdecl DisplayGoodResult(const char* caption, const char* date, const char* size) {
  Journal({"DisplayGoodResult", Text(caption), Text(date), Text(size)});
}
void __cdecl DisplayBadResult(const char* caption, const char* date, const char* errors) {
  Journal({"DisplayBadResult", Text(caption), Text(date), Text(errors)});
}
short __cdecl GetVolumeName(const char* drive, char*) {
  Journal({"GetVolumeName", Text(drive)});
  return -3;
}
void __cdecl GetDiscFromVolumename(const char* wanted, char* answer) {
  Journal({"GetDiscFromVolumename", Text(wanted)});
  answer[0] = '?';
  answer[1] = '\0';
}

}  // extern "C"
