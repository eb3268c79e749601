// A Vaultrine.dll that shows nothing and records every call of the engine in the
// journal. It answers as a library would: file times and sizes from the file system;
// the volume letter and label, and the answer to the space question, from
// VAULTRINE_FAKE_DISC ("?" for no volume), VAULTRINE_FAKE_LABEL and
// VAULTRINE_FAKE_SPACE ("-1" for the user's No).
#include <windows.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "backup_support/vaultrine_exports.h"
#include "tests/ui/engines/journal.h"

using vaultrine::uitest::EngineWindowPresent;
using vaultrine::uitest::EnvUtf8;
using vaultrine::uitest::Journal;
using vaultrine::uitest::Utf8Of;

namespace {
std::string Text(const char* s) { return s ? s : "(null)"; }
}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    Journal({"Load", EngineWindowPresent("VAULTRINE.EXE") ? "engine window" : "no engine window"});
  }
  return TRUE;
}

extern "C" {

void __cdecl GetTranslatedText(const char* text, int id) { Journal({"GetTranslatedText", std::to_string(id), Text(text)}); }

void __cdecl GetVolumeName(const char* drive, char* label) {
  Journal({"GetVolumeName", Text(drive)});
  const std::string fake = EnvUtf8(L"VAULTRINE_FAKE_LABEL");
  std::snprintf(label, 33, "%s", fake.c_str());
}

void __cdecl GetDiscFromVolumename(const char* wanted, char* answer) {
  Journal({"GetDiscFromVolumename", Text(wanted)});
  const std::string fake = EnvUtf8(L"VAULTRINE_FAKE_DISC");
  answer[0] = fake.empty() ? '?' : fake[0];
  answer[1] = '\0';
}

void __cdecl DisplayGoodResult(const char* caption, const char* headline, const char* date, const char* new_count,
                               const char* obsolete_count, const char* modified_count, const char* new_size,
                               const char* modified_size, const wchar_t* database_path, const char* task) {
  Journal({"DisplayGoodResult", Text(caption), Text(headline), Text(date), Text(new_count), Text(obsolete_count),
           Text(modified_count), Text(new_size), Text(modified_size), Utf8Of(database_path), Text(task)});
}

void __cdecl DisplayBadResult(const char* caption, const char* headline, const char* date, const char* error_text) {
  Journal({"DisplayBadResult", Text(caption), Text(headline), Text(date), Text(error_text)});
}

void __cdecl RecordFilenames(const char* label, const char* text) { Journal({"RecordFilenames", Text(label), Text(text)}); }

int __cdecl CheckDiscSpace(const char* path, const char* needed) {
  Journal({"CheckDiscSpace", Text(path), Text(needed)});
  return std::atoi(EnvUtf8(L"VAULTRINE_FAKE_SPACE").c_str()) == -1 ? -1 : 0;
}

int __cdecl GetFileTimeAndSize(const wchar_t* path, char* time_out, char* size_out) {
  Journal({"GetFileTimeAndSize", Utf8Of(path)});
  struct _stat64 st {};
  if (_wstat64(path, &st) != 0) {
    std::strcpy(time_out, "0");
    std::strcpy(size_out, "0");
    return -1;
  }
  std::snprintf(time_out, 16, "%lld", static_cast<long long>(st.st_mtime));
  std::snprintf(size_out, 16, "%llu", static_cast<unsigned long long>(st.st_size));
  return (st.st_mode & _S_IFDIR) ? 1 : 0;
}

}  // extern "C"
