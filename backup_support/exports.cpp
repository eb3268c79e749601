// The engine's entry points. Each is a thin shell: guard, convert, call the rule.
#include "backup_support/vaultrine_exports.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <sys/stat.h>

#include "backup_support/disc_space.h"
#include "backup_support/file_time_size.h"
#include "backup_support/library_frame.h"
#include "backup_support/translated_slots.h"
#include "common/win/wide.h"
#include "common/win/win32_volume_table.h"

namespace vaultrine::backup {
namespace {

std::string Utf8ToAnsiText(std::string_view utf8) { return win::Utf8ToAnsi(utf8); }

class Win32DiskSpace : public DiskSpacePlatform {
 public:
  std::optional<uint64_t> FreeBytes(const std::string& root) override {
    ULARGE_INTEGER available{}, total{}, free_total{};
    if (!GetDiskFreeSpaceExW(win::ToWide(root).c_str(), &available, &total, &free_total)) return std::nullopt;
    return available.QuadPart;
  }
  bool AskYesNo(const std::string& caption_utf8, const std::string& question_ansi) override {
    // The question comes from a slot (ANSI); the caption from the engine (UTF-8).
    const std::wstring question = win::ToWide(win::AnsiToUtf8(question_ansi));
    const std::wstring caption = win::ToWide(caption_utf8);
    return MessageBoxW(nullptr, question.c_str(), caption.c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_TOPMOST) == IDYES;
  }
};

std::optional<FileStatus> QueryFile(const wchar_t* path) {
  struct _stat64 st {};
  if (!path || _wstat64(path, &st) != 0) return std::nullopt;
  FileStatus status;
  status.is_folder = (st.st_mode & _S_IFDIR) != 0;
  status.modified = static_cast<int64_t>(st.st_mtime);
  status.size = static_cast<uint64_t>(st.st_size);
  return status;
}

void CopyDigits(const std::string& digits, char* out) {
  if (!out) return;
  std::memcpy(out, digits.data(), digits.size());  // at most 15 digits
  out[digits.size()] = '\0';
}

}  // namespace
}  // namespace vaultrine::backup

using namespace vaultrine::backup;

extern "C" {

void __cdecl GetTranslatedText(const char* text, int id) {
  Guarded([&] { StoreTranslatedText(State().slots, text ? text : "", id, Utf8ToAnsiText); });
}

void __cdecl GetVolumeName(const char* drive, char* label) {
  if (!label) return;
  Guarded([&] { vaultrine::win::GetVolumeNameUtf8(drive, label); });
}

void __cdecl GetDiscFromVolumename(const char* label, char* answer) {
  if (!answer) return;
  Guarded([&] { vaultrine::win::GetDiscFromVolumename(label, answer); });
}

// The success window is not built yet: for now only its caption is kept (the
// disk-space question uses it). No window is shown and no list is closed.
void __cdecl DisplayGoodResult(const char* caption, const char*, const char*, const char*, const char*,
                               const char*, const char*, const char*, const wchar_t*, const char*) {
  Guarded([&] { State().result.SetCaption(caption ? caption : ""); });
}

// The failure window is not built yet: only the caption is kept, as above.
void __cdecl DisplayBadResult(const char* caption, const char*, const char*, const char*) {
  Guarded([&] { State().result.SetCaption(caption ? caption : ""); });
}

// The file and error lists are not written yet: this records nothing.
void __cdecl RecordFilenames(const char*, const char*) {
  Guarded([] {});
}

int __cdecl CheckDiscSpace(const char* path, const char* needed) {
  return Guarded(kGoOn, [&] {
    Win32DiskSpace platform;
    const LibraryState& s = State();
    return vaultrine::backup::CheckDiscSpace(path ? path : "", needed ? needed : "",
                                             s.slots.Get(kSlotDiskQuestion), s.result.caption, platform);
  });
}

int __cdecl GetFileTimeAndSize(const wchar_t* path, char* time_out, char* size_out) {
  return Guarded(kNotExamined, [&] {
    const FileTimeAndSize info = DescribeFile(QueryFile(path));
    CopyDigits(info.time, time_out);
    CopyDigits(info.size, size_out);
    return info.result;
  });
}

}  // extern "C"
