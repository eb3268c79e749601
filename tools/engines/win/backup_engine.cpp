// Stand-in for the backup engine Vaultrine.exe, for tests and the demo. It reads
// Vaultrine.ini beside it, copies the new and changed files of the included folders
// into the destination, keeps the database table `dest` and marks the copies of
// vanished files obsolete, calling Vaultrine.dll the way the real engine does:
// slots first, the volume of the destination, the space question, the time and size
// of every file, one record per file and per error, then one result window.
// It compresses and encrypts nothing.
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <unordered_set>

#include "backup_support/vaultrine_exports.h"
#include "common/file_io.h"
#include "common/win/wide.h"
#include "tools/engines/core/backup_plan.h"
#include "tools/engines/core/engine_database.h"
#include "tools/engines/core/engine_texts.h"
#include "tools/engines/core/parameters.h"
#include "tools/engines/core/path_rules.h"
#include "tools/engines/win/console_window.h"
#include "tools/engines/win/engine_support.h"

namespace vaultrine::engines {
namespace {

using win::ToWide;

struct Planned {
  std::string source;
  std::string target;
  FileFacts facts;
  Change change = Change::kNew;
};

class BackupEngine {
 public:
  explicit BackupEngine(HINSTANCE instance) : console_(instance) {}

  int Run() {
    console_.Open();
    catalog_ = LoadCatalog();
    const std::string folder = win::ModuleFolder(nullptr);
    const std::string parameter_path = folder + "\\Vaultrine.ini";
    console_.Log(Tr(msg::kReadingParameterFile, parameter_path));
    if (!LoadLibraryExports(folder + "\\Vaultrine.dll")) return 2;

    for (const SlotText& slot : kSlotTexts) {
      const std::string text = slot.id == kErrorCountSlot ? ErrorCountText() : Tr(slot.msgid);
      get_translated_text_(text.c_str(), slot.id);
    }

    const auto bytes = ReadWholeFile(parameter_path);
    if (!bytes) return Fail(Tr(msg::kCannotReadParameterFile, parameter_path));
    const BackupParameters params = ParseBackupParameters(*bytes);
    if (!params.has_destination || params.destination.empty()) {
      return Fail(Tr(msg::kNoDestination, parameter_path));
    }
    std::string destination = params.destination;
    if (!params.volume_name.empty()) {
      console_.Log(Tr(msg::kLookingForVolume, params.volume_name));
      char answer[8] = {};
      get_disc_(params.volume_name.c_str(), answer);
      const char letter = answer[0];
      if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) {
        return Fail(Tr(msg::kVolumeNotFound, params.volume_name));
      }
      if (destination.size() >= 2 && destination[1] == ':') destination[0] = letter;
    }
    char label[64] = {};
    get_volume_name_(destination.c_str(), label);
    console_.Log(destination + (label[0] ? std::string(" [") + label + "]" : std::string()));
    if (!MakeFolders(destination)) return Fail(Tr(msg::kCannotCreateDestination, destination));

    const std::string database_path = folder + "\\" + params.database_name;
    std::string db_error;
    auto db = EngineDatabase::Open(database_path, db_error);
    if (!db) return Fail(Tr(msg::kCannotOpenDatabase, database_path) + ": " + db_error);
    const std::string task = TaskText(parameter_path);

    std::vector<Planned> plan = Gather(params, destination);
    uint64_t needed = 0;
    for (const Planned& p : plan) {
      if (p.change != Change::kUnchanged) needed += p.facts.size;
    }
    if (check_disc_space_(destination.c_str(), std::to_string(needed).c_str()) == -1) {
      return Fail(Tr(msg::kStoppedForSpace));
    }

    const int64_t now = UnixNow();
    std::unordered_set<std::string> live_rows;
    const std::vector<TaskRow> rows = db->Rows(task);
    for (const TaskRow& row : rows) {
      if (!row.obsolete) live_rows.insert(FoldCase(row.destpath));
    }
    db->Begin();
    uint64_t new_count = 0, modified_count = 0, new_size = 0, modified_size = 0;
    std::vector<std::string> backed_up;
    for (const Planned& p : plan) {
      backed_up.push_back(p.target);
      if (p.change == Change::kUnchanged) {
        if (!live_rows.count(FoldCase(p.target))) db->MarkLive(p.target, task, now);
        continue;
      }
      if (!CopyFileReplacing(p.source, p.target)) {
        Error(Tr(msg::kCannotCopy, p.source) + " (" + std::to_string(GetLastError()) + ")");
        continue;
      }
      const bool is_new = p.change == Change::kNew;
      record_(Tr(is_new ? msg::kNewLabel : msg::kModifiedLabel).c_str(), p.source.c_str());
      db->MarkLive(p.target, task, now);
      (is_new ? new_count : modified_count) += 1;
      (is_new ? new_size : modified_size) += p.facts.size;
    }
    uint64_t obsolete_count = 0;
    for (const std::string& gone : NewlyObsolete(rows, backed_up)) {
      db->MarkObsolete(gone, task, now);
      record_(Tr(msg::kObsoleteLabel).c_str(), gone.c_str());
      ++obsolete_count;
    }
    if (!db->Commit()) Error(Tr(msg::kCannotOpenDatabase, database_path) + ": " + db->last_error());
    db.reset();

    get_translated_text_(ErrorCountText().c_str(), kErrorCountSlot);
    console_.Log(Tr(msg::kBackupCompleted));
    const std::wstring database_wide = ToWide(database_path);
    display_good_(kBackupCaption, Tr(msg::kBackupCompleted).c_str(), LocalDateText().c_str(),
                  std::to_string(new_count).c_str(), std::to_string(obsolete_count).c_str(),
                  std::to_string(modified_count).c_str(), std::to_string(new_size).c_str(),
                  std::to_string(modified_size).c_str(), database_wide.c_str(), task.c_str());
    return 0;
  }

 private:
  std::string Tr(const char* msgid) const { return catalog_.Translate(msgid); }
  std::string Tr(const char* msgid, const std::string& value) const {
    return Substitute(catalog_.Translate(msgid), {value});
  }
  std::string ErrorCountText() const { return Tr(kErrorCountFormat, std::to_string(errors_)); }

  bool LoadLibraryExports(const std::string& path) {
    library_ = std::make_unique<Library>(path);
    get_translated_text_ = library_->Get<GetTranslatedTextFn>("GetTranslatedText");
    get_volume_name_ = library_->Get<GetVolumeNameFn>("GetVolumeName");
    get_disc_ = library_->Get<GetDiscFromVolumenameFn>("GetDiscFromVolumename");
    display_good_ = library_->Get<DisplayGoodResultFn>("DisplayGoodResult");
    display_bad_ = library_->Get<DisplayBadResultFn>("DisplayBadResult");
    record_ = library_->Get<RecordFilenamesFn>("RecordFilenames");
    check_disc_space_ = library_->Get<CheckDiscSpaceFn>("CheckDiscSpace");
    get_file_time_and_size_ = library_->Get<GetFileTimeAndSizeFn>("GetFileTimeAndSize");
    const std::string problem = library_->Problem();
    if (problem.empty()) return true;
    console_.Log(problem);
    MessageBoxW(console_.hwnd(), ToWide(problem).c_str(), ToWide(kBackupCaption).c_str(), MB_OK | MB_ICONERROR);
    return false;
  }

  void Error(const std::string& text) {
    ++errors_;
    console_.Log(text);
    record_(("@" + Tr(msg::kErrorLabel)).c_str(), text.c_str());
  }

  int Fail(const std::string& text) {
    Error(text);
    display_bad_(kBackupCaption, Tr(msg::kBackupFailed).c_str(), LocalDateText().c_str(), (text + "\n").c_str());
    return 1;
  }

  // Time and size as the library reports them; nullopt for a path that is no file.
  std::optional<FileFacts> Facts(const std::string& path) {
    char time_text[16] = {}, size_text[16] = {};
    if (get_file_time_and_size_(ToWide(path).c_str(), time_text, size_text) != 0) return std::nullopt;
    return FileFacts{std::strtoull(size_text, nullptr, 10), std::strtoll(time_text, nullptr, 10)};
  }

  std::vector<Planned> Gather(const BackupParameters& params, const std::string& destination) {
    std::vector<Planned> plan;
    std::unordered_set<std::string> seen;
    const std::string inside_destination = FoldCase(destination + "\\");
    for (const std::string& include : params.includes) {
      console_.Log(Tr(msg::kBackingUp, include));
      std::vector<std::string> files, unreadable;
      if (IsFolder(include)) {
        files = ListFiles(include, unreadable);
      } else if (IsFile(include)) {
        files.push_back(include);
      } else {
        unreadable.push_back(include);
      }
      for (const std::string& bad : unreadable) Error(Tr(msg::kCannotRead, bad));
      for (const std::string& file : files) {
        // Never back up the backup itself.
        if (FoldCase(file).rfind(inside_destination, 0) == 0) continue;
        if (IsExcluded(params.exclusions, file)) continue;
        Planned p;
        p.source = file;
        p.target = MirrorPath(destination, file);
        if (p.target.empty() || !seen.insert(FoldCase(p.target)).second) continue;
        const auto facts = Facts(file);
        if (!facts) {
          Error(Tr(msg::kCannotRead, file));
          continue;
        }
        p.facts = *facts;
        p.change = CompareWithCopy(p.facts, Facts(p.target));
        plan.push_back(std::move(p));
      }
      ConsoleWindow::Pump();
    }
    return plan;
  }

  ConsoleWindow console_;
  Catalog catalog_;
  std::unique_ptr<Library> library_;
  int errors_ = 0;
  GetTranslatedTextFn get_translated_text_ = nullptr;
  GetVolumeNameFn get_volume_name_ = nullptr;
  GetDiscFromVolumenameFn get_disc_ = nullptr;
  DisplayGoodResultFn display_good_ = nullptr;
  DisplayBadResultFn display_bad_ = nullptr;
  RecordFilenamesFn record_ = nullptr;
  CheckDiscSpaceFn check_disc_space_ = nullptr;
  GetFileTimeAndSizeFn get_file_time_and_size_ = nullptr;
};

}  // namespace
}  // namespace vaultrine::engines

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    return vaultrine::engines::BackupEngine(instance).Run();
  } catch (...) {
    return 3;
  }
}
