// The functions the restore engine calls, by their plain C names; the pointer types a
// caller uses after GetProcAddress are in restore_export_types.h.
#pragma once
#include <wchar.h>

#include "restore_support/restore_export_types.h"

#ifdef __cplusplus
extern "C" {
#endif

void __cdecl AskFilesToRestore(const char* caption);
void __cdecl DisplayTrace(const char* text);
void __cdecl CloseTrace(void);
short __cdecl GetVolumeName(const char* drive, char* label);
void __cdecl GaugeRestoreStandardFiles(int total, int value);
void __cdecl GaugeRestoreCompressedFiles(int total, int value);
void __cdecl GaugeRestoreCryptedFiles(int total, int value);
void __cdecl DisplayGoodResult(const char* caption, const char* date, const char* size);
void __cdecl DisplayBadResult(const char* caption, const char* date, const char* errors);
void __cdecl RecordFilenames(const char* kind, const wchar_t* name);
void __cdecl GetDiscFromVolumename(const char* label, char* answer);

#ifdef __cplusplus
}
#endif
