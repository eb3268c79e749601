// The pointer types a caller of the restore library uses after GetProcAddress. Apart
// from the declarations, so a program that also declares the backup library's exports
// (same names, other signatures) can take them.
#pragma once
#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

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
