// The functions the backup engine calls, by their plain C names, and the pointer
// types a caller uses after GetProcAddress.
#pragma once
#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

void __cdecl GetTranslatedText(const char* text, int id);
void __cdecl GetVolumeName(const char* drive, char* label);
void __cdecl GetDiscFromVolumename(const char* label, char* answer);
void __cdecl DisplayGoodResult(const char* caption, const char* headline, const char* date,
                               const char* new_count, const char* obsolete_count,
                               const char* modified_count, const char* new_size,
                               const char* modified_size, const wchar_t* database_path,
                               const char* task);
void __cdecl DisplayBadResult(const char* caption, const char* headline, const char* date,
                              const char* error_text);
void __cdecl RecordFilenames(const char* label, const char* text);
int __cdecl CheckDiscSpace(const char* path, const char* needed);
int __cdecl GetFileTimeAndSize(const wchar_t* path, char* time_out, char* size_out);

typedef void(__cdecl* GetTranslatedTextFn)(const char*, int);
typedef void(__cdecl* GetVolumeNameFn)(const char*, char*);
typedef void(__cdecl* GetDiscFromVolumenameFn)(const char*, char*);
typedef void(__cdecl* DisplayGoodResultFn)(const char*, const char*, const char*, const char*,
                                           const char*, const char*, const char*, const char*,
                                           const wchar_t*, const char*);
typedef void(__cdecl* DisplayBadResultFn)(const char*, const char*, const char*, const char*);
typedef void(__cdecl* RecordFilenamesFn)(const char*, const char*);
typedef int(__cdecl* CheckDiscSpaceFn)(const char*, const char*);
typedef int(__cdecl* GetFileTimeAndSizeFn)(const wchar_t*, char*, char*);

#ifdef __cplusplus
}
#endif
