#include "tools/engines/core/engine_database.h"

#include <sqlite3.h>

namespace vaultrine::engines {
namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS dest (destpath TEXT NOT NULL, otime INTEGER NOT NULL, "
    "isobsolete INTEGER NOT NULL DEFAULT 0, task TEXT NOT NULL);"
    "CREATE UNIQUE INDEX IF NOT EXISTS dest_by_task ON dest(task, destpath);";

struct Statement {
  sqlite3_stmt* s = nullptr;
  ~Statement() { sqlite3_finalize(s); }
};

}  // namespace

std::unique_ptr<EngineDatabase> EngineDatabase::Open(const std::string& path, std::string& error) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
    error = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    return nullptr;
  }
  std::unique_ptr<EngineDatabase> out(new EngineDatabase(db));
  if (!out->Exec(kSchema)) {
    error = out->last_error_;
    return nullptr;
  }
  return out;
}

EngineDatabase::~EngineDatabase() { sqlite3_close(db_); }

bool EngineDatabase::Exec(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
  last_error_ = message ? message : sqlite3_errmsg(db_);
  sqlite3_free(message);
  return false;
}

bool EngineDatabase::Begin() { return Exec("BEGIN;"); }
bool EngineDatabase::Commit() { return Exec("COMMIT;"); }

std::vector<TaskRow> EngineDatabase::Rows(const std::string& task) {
  std::vector<TaskRow> rows;
  Statement st;
  if (sqlite3_prepare_v2(db_, "SELECT destpath, isobsolete FROM dest WHERE task = ?1 ORDER BY rowid;", -1,
                         &st.s, nullptr) != SQLITE_OK) {
    last_error_ = sqlite3_errmsg(db_);
    return rows;
  }
  sqlite3_bind_text(st.s, 1, task.c_str(), static_cast<int>(task.size()), SQLITE_TRANSIENT);
  while (sqlite3_step(st.s) == SQLITE_ROW) {
    const unsigned char* path = sqlite3_column_text(st.s, 0);
    if (!path) continue;
    rows.push_back({reinterpret_cast<const char*>(path), sqlite3_column_int64(st.s, 1) > 0});
  }
  return rows;
}

bool EngineDatabase::Write(const char* sql, const std::string& destpath, const std::string& task, int64_t now) {
  Statement st;
  if (sqlite3_prepare_v2(db_, sql, -1, &st.s, nullptr) != SQLITE_OK) {
    last_error_ = sqlite3_errmsg(db_);
    return false;
  }
  sqlite3_bind_text(st.s, 1, destpath.c_str(), static_cast<int>(destpath.size()), SQLITE_TRANSIENT);
  sqlite3_bind_int64(st.s, 2, now);
  sqlite3_bind_text(st.s, 3, task.c_str(), static_cast<int>(task.size()), SQLITE_TRANSIENT);
  if (sqlite3_step(st.s) != SQLITE_DONE) {
    last_error_ = sqlite3_errmsg(db_);
    return false;
  }
  return true;
}

bool EngineDatabase::MarkLive(const std::string& destpath, const std::string& task, int64_t now) {
  return Write("INSERT INTO dest (destpath, otime, isobsolete, task) VALUES (?1, ?2, 0, ?3) "
               "ON CONFLICT (task, destpath) DO UPDATE SET otime = excluded.otime, isobsolete = 0;",
               destpath, task, now);
}

bool EngineDatabase::MarkObsolete(const std::string& destpath, const std::string& task, int64_t now) {
  return Write("UPDATE dest SET isobsolete = 1, otime = ?2 WHERE destpath = ?1 AND task = ?3 AND isobsolete = 0;",
               destpath, task, now);
}

}  // namespace vaultrine::engines
