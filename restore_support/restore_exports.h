// The functions the restore engine calls, by their plain C names, and the pointer
// types a caller uses after GetProcAddress.
#pragma once
#include <wchar.h>

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

typedef void(__cdecl* AskFilesToRestoreFn)(const char*);
typedef void(__cdecl* DisplayTraceFn)(const char*);
typedef void(__cdecl* CloseTraceFn)(void);
typedef short(__cdecl* RestoreGetVolumeNameFn)(const char*, char*);
typedef void(__cdecl* GaugeRestoreFn)(int, int);
typedef void(__cdecl* DisplayGoodRestoreResultFn)(const char*, const char*, const char*);
typedef void(__cdecl* DisplayBadRestoreResultFn)(const char*, const char*, const char*);
typedef void(__cdecl* RecordRestoredFilenameFn)(const char*, const wchar_t*);
typedef void(__cdecl* RestoreGetDiscFromVolumenameFn)(const char*, char*);

#ifdef __cplusplus
}
#endif
