// The obsolete-files report: the obsolete rows of the engine database's table
// `dest`, most recent first, with their age in whole days, written as a UTF-8 text
// file for Notepad. The launcher lists the whole database under a heading; the
// backup library lists one task's rows only. One routine, the variant as data.
// Portable: message boxes go through MessageSink, the clock is a parameter.
#pragma once
#include <cstdint>
#include <string>

#include "common/language.h"
#include "common/message_sink.h"

namespace vaultrine {

inline constexpr const char* kObsoleteReportFileName = "Lapsarium_FileList.txt";


struct ObsoleteReportVariant {
  std::string report_path;
  bool remove_before_create = false;  // launcher: delete, then create
  bool with_heading = false;          // header and separator after the mark
  Language heading_language = Language::kEnglish;
  bool by_task = false;               // library: only rows whose task is LIKE task_pattern
  std::string task_pattern;
  std::string caption;
  MessageIcon create_failure_icon = MessageIcon::kWarning;
  MessageIcon database_failure_icon = MessageIcon::kWarning;
  std::string create_failure_text;
  std::string open_failure_prefix;  // followed by SQLite's error text
  std::string sql_failure_prefix;
};

// Command 303 of the launcher: whole database, heading in the interface language,
// French failure texts whatever the language.
ObsoleteReportVariant LauncherReportVariant(Language language, std::string report_path);

// Button of the backup success window: one task (a LIKE pattern, "%" and "_" are
// wildcards, ASCII case ignored), no heading, the engine's caption on the boxes.
ObsoleteReportVariant LibraryReportVariant(std::string task_pattern, std::string caption,
                                           std::string report_path = kObsoleteReportFileName);

enum class ReportOutcome {
  kWritten,       // report complete; the caller opens it
  kCreateFailed,  // report could not be created or written
  kOpenFailed,    // database could not be opened; report holds its heading only
  kQueryFailed,   // statement failed; report holds what was written before
};

// Writes the report and shows at most one box through `boxes`. `now` is the current
// time in seconds since 1970-01-01 UTC. The database is opened read-only.
//
// Line per row: day count, tab, destpath with "/" turned into "\", CR LF; the path
// is written whole however long it is. A row without destpath names no file and is
// left out; a row without otime has no age, so its day count is left empty (such
// rows sort last).
ReportOutcome WriteObsoleteReport(const ObsoleteReportVariant& variant,
                                  const std::string& database_path, int64_t now,
                                  MessageSink& boxes);

// Seconds since 1970-01-01 UTC, 64-bit.
int64_t CurrentUnixTime();

}  // namespace vaultrine
