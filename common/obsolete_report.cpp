#include "common/obsolete_report.h"

#include <sqlite3.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "common/file_io.h"

namespace vaultrine {

namespace {

constexpr char kMark[] = "\xEF\xBB\xBF";
constexpr char kEnglishHeading[] = "Days \tObsolete files    \r\n";
constexpr char kFrenchHeading[] = "Jours\tFichiers obsoletes\r\n";
constexpr char kSeparator[] = "=====\t==================\r\n\r\n";

// The time and the task are bound, never pasted into the text: a task name with a
// quote can neither break the statement nor change it, and the time is 64-bit.
constexpr char kWholeDatabaseQuery[] =
    "SELECT destpath,((?1 - otime) / 86400) as days FROM dest WHERE isobsolete > 0  "
    "order by otime DESC;";
constexpr char kOneTaskQuery[] =
    "SELECT destpath,((?1 - otime) / 86400) as days FROM dest WHERE isobsolete > 0 "
    "and task like ?2 order by otime DESC;";

// Rows go through one fixed-size buffer; a path longer than the buffer only
// stretches it for that row, so memory does not grow with the row count.
class ReportWriter {
 public:
  explicit ReportWriter(UniqueFile file) : file_(std::move(file)) { buffer_.reserve(kFlushAt); }

  void Append(const char* data, size_t size) {
    buffer_.append(data, size);
    if (buffer_.size() >= kFlushAt) Flush();
  }
  void Append(const char* text) { Append(text, std::char_traits<char>::length(text)); }

  // Append with every "/" turned into "\".
  void AppendPath(const char* data, size_t size) {
    const size_t start = buffer_.size();
    buffer_.append(data, size);
    char* p = &buffer_[start];
    char* const end = p + size;
    while ((p = static_cast<char*>(std::memchr(p, '/', static_cast<size_t>(end - p)))) != nullptr) {
      *p++ = '\\';
    }
    if (buffer_.size() >= kFlushAt) Flush();
  }

  // Flushes and closes; false when any byte could not be written.
  bool Close() {
    if (!file_) return ok_;
    Flush();
    if (std::fclose(file_.release()) != 0) ok_ = false;
    return ok_;
  }

 private:
  static constexpr size_t kFlushAt = 64 * 1024;

  void Flush() {
    if (!buffer_.empty() && ok_ &&
        std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size()) {
      ok_ = false;
    }
    buffer_.clear();
  }

  UniqueFile file_;
  std::string buffer_;
  bool ok_ = true;
};

struct DatabaseCloser {
  void operator()(sqlite3* db) const noexcept { sqlite3_close(db); }
};
struct StatementFinalizer {
  void operator()(sqlite3_stmt* st) const noexcept { sqlite3_finalize(st); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

std::string ErrorText(sqlite3* db) { return db ? sqlite3_errmsg(db) : "out of memory"; }

void AppendRow(ReportWriter& out, sqlite3_stmt* row) {
  if (sqlite3_column_type(row, 0) == SQLITE_NULL) return;  // no file to name
  switch (sqlite3_column_type(row, 1)) {
    case SQLITE_NULL:  // no otime: age unknown, count left empty
      break;
    case SQLITE_INTEGER: {
      char digits[24];
      const auto r = std::to_chars(digits, digits + sizeof digits, sqlite3_column_int64(row, 1));
      out.Append(digits, static_cast<size_t>(r.ptr - digits));
      break;
    }
    default: {  // a real or text otime: SQLite's own rendering of the value
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, 1));
      if (text) out.Append(text, static_cast<size_t>(sqlite3_column_bytes(row, 1)));
      break;
    }
  }
  out.Append("\t", 1);
  const auto* path = reinterpret_cast<const char*>(sqlite3_column_text(row, 0));
  if (path) out.AppendPath(path, static_cast<size_t>(sqlite3_column_bytes(row, 0)));
  out.Append("\r\n", 2);
}

}  // namespace

ObsoleteReportVariant LauncherReportVariant(Language language, std::string report_path) {
  ObsoleteReportVariant v;
  v.report_path = std::move(report_path);
  v.remove_before_create = true;
  v.with_heading = true;
  v.heading_language = language;
  v.caption = "VAULTRINE 1.92";
  v.create_failure_icon = MessageIcon::kWarning;
  v.database_failure_icon = MessageIcon::kError;
  v.create_failure_text = "Une erreur s'est produite lors de la création du fichier liste";
  v.open_failure_prefix = "Erreur lors de l'ouverture de la base de données: ";
  v.sql_failure_prefix = "Erreur SQL: ";
  return v;
}

ObsoleteReportVariant LibraryReportVariant(std::string task_pattern, std::string caption,
                                           std::string report_path) {
  ObsoleteReportVariant v;
  v.report_path = std::move(report_path);
  v.by_task = true;
  v.task_pattern = std::move(task_pattern);
  v.caption = std::move(caption);
  v.create_failure_text = "Could not create the output file.";
  v.open_failure_prefix = "Can't open database: ";
  v.sql_failure_prefix = "SQL error: ";
  return v;
}

ReportOutcome WriteObsoleteReport(const ObsoleteReportVariant& v, const std::string& database_path,
                                  int64_t now, MessageSink& boxes) {
  auto fail = [&](ReportOutcome outcome, std::string text, MessageIcon icon) {
    boxes.Show(UserMessage{std::move(text), v.caption, icon});
    return outcome;
  };

  if (v.remove_before_create) RemoveFile(v.report_path);
  UniqueFile file = OpenFile(v.report_path, "wb");
  if (!file) return fail(ReportOutcome::kCreateFailed, v.create_failure_text, v.create_failure_icon);
  ReportWriter out(std::move(file));

  out.Append(kMark);
  if (v.with_heading) {
    out.Append(v.heading_language == Language::kFrench ? kFrenchHeading : kEnglishHeading);
    out.Append(kSeparator);
  }

  // Read-only: the report never creates or alters the engine's database. The
  // connection never leaves this call, so it needs no mutex on every column read.
  sqlite3* raw_db = nullptr;
  const int opened = sqlite3_open_v2(database_path.c_str(), &raw_db,
                                     SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  Database db(raw_db);
  if (opened != SQLITE_OK) {
    const std::string why = ErrorText(db.get());
    out.Close();
    return fail(ReportOutcome::kOpenFailed, v.open_failure_prefix + why, v.database_failure_icon);
  }

  sqlite3_stmt* raw_stmt = nullptr;
  const char* sql = v.by_task ? kOneTaskQuery : kWholeDatabaseQuery;
  int rc = sqlite3_prepare_v2(db.get(), sql, -1, &raw_stmt, nullptr);
  Statement stmt(raw_stmt);
  if (rc == SQLITE_OK) {
    sqlite3_bind_int64(stmt.get(), 1, now);
    if (v.by_task) {
      sqlite3_bind_text(stmt.get(), 2, v.task_pattern.data(), static_cast<int>(v.task_pattern.size()),
                        SQLITE_STATIC);
    }
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) AppendRow(out, stmt.get());
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
  }
  if (rc != SQLITE_OK) {
    const std::string why = ErrorText(db.get());
    out.Close();
    return fail(ReportOutcome::kQueryFailed, v.sql_failure_prefix + why, v.database_failure_icon);
  }
  stmt.reset();
  db.reset();

  // A report cut short by a full disk must not be shown as the complete list.
  if (!out.Close()) return fail(ReportOutcome::kCreateFailed, v.create_failure_text, v.create_failure_icon);
  return ReportOutcome::kWritten;
}

int64_t CurrentUnixTime() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace vaultrine
