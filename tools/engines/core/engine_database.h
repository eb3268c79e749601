// The backup engine's database: table `dest`, one row per backed-up file and task,
//   destpath    path of the copy in the backup destination
//   otime       seconds since 1970-01-01 UTC: when the row last changed, which for an
//               obsolete row is when its file vanished
//   isobsolete  1 once the source file is gone, 0 while it exists
//   task        the task text of the parameter file (TaskText)
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/engines/core/backup_plan.h"

struct sqlite3;

namespace vaultrine::engines {

class EngineDatabase {
 public:
  // Opens or creates the file (UTF-8 path) and the table; null with `error` set on failure.
  static std::unique_ptr<EngineDatabase> Open(const std::string& path, std::string& error);
  ~EngineDatabase();
  EngineDatabase(const EngineDatabase&) = delete;
  EngineDatabase& operator=(const EngineDatabase&) = delete;

  std::vector<TaskRow> Rows(const std::string& task);
  // Inserts the row, or makes it live again with a new time.
  bool MarkLive(const std::string& destpath, const std::string& task, int64_t now);
  bool MarkObsolete(const std::string& destpath, const std::string& task, int64_t now);

  // One transaction around a run, so a crash leaves the previous state.
  bool Begin();
  bool Commit();

  const std::string& last_error() const { return last_error_; }

 private:
  explicit EngineDatabase(sqlite3* db) : db_(db) {}
  bool Exec(const char* sql);
  bool Write(const char* sql, const std::string& destpath, const std::string& task, int64_t now);

  sqlite3* db_;
  std::string last_error_;
};

}  // namespace vaultrine::engines
