// The engine's entry points. Each is a thin shell: guard, convert, call the rule.
#include "backup_support/vaultrine_exports.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <sys/stat.h>

#include "backup_support/disc_space.h"
#include "backup_support/file_time_size.h"
#include "backup_support/library_frame.h"
#include "backup_support/result_windows.h"
#include "backup_support/translated_slots.h"
#include "common/win/message_box_sink.h"
#include "common/win/wide.h"
#include "common/win/win32_volume_table.h"

namespace vaultrine::backup {
namespace {

std::string Utf8ToAnsiText(std::string_view utf8) { return win::Utf8ToAnsi(utf8); }

std::string_view Text(const char* text) { return text ? std::string_view(text) : std::string_view(); }

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

// Both result windows close the lists first; a list the disk left short is said
// before the window that offers to open it.
void CloseLists(LibraryState& s) {
  s.lists.Close();
  win::MessageBoxSink boxes({}, true);
  s.lists.ReportLosses(boxes, s.result.caption);
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

void __cdecl DisplayGoodResult(const char* caption, const char* headline, const char* date,
                               const char* new_count, const char* obsolete_count, const char* modified_count,
                               const char* new_size, const char* modified_size, const wchar_t* database_path,
                               const char* task) {
  Guarded([&] {
    LibraryState& s = State();
    ResultWindowData& r = s.result;
    r.SetCaption(Text(caption));
    r.date = Text(date);
    r.SetCounts(Text(new_count), Text(obsolete_count), Text(modified_count));
    r.new_size = Text(new_size);
    r.modified_size = Text(modified_size);
    r.database_path.clear();
    if (database_path) {
      const size_t n = wcsnlen(database_path, kDatabasePathUnits);
      r.database_path = DatabasePathFromUtf16(
          std::u16string_view(reinterpret_cast<const char16_t*>(database_path), n));
    }
    r.task = Text(task);
    CloseLists(s);
    r.SetHeadline(Text(headline), Utf8ToAnsiText);
    SuccessWindow window(s.instance, r, s.slots, s.lists, s.dialog_background);
    window.RunModal(nullptr);
  });
}

void __cdecl DisplayBadResult(const char* caption, const char* headline, const char* date,
                              const char* error_text) {
  Guarded([&] {
    LibraryState& s = State();
    ResultWindowData& r = s.result;
    r.SetCaption(Text(caption));
    r.date = Text(date);
    r.error_text = Text(error_text);
    CloseLists(s);
    r.SetHeadline(Text(headline), Utf8ToAnsiText);
    FailureWindow window(s.instance, r, s.slots, s.dialog_background);
    window.RunModal(nullptr);
  });
}

void __cdecl RecordFilenames(const char* label, const char* text) {
  Guarded([&] { State().lists.Record(Text(label), Text(text)); });
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
