#include "common/obsolete_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace vaultrine {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kMark = "\xEF\xBB\xBF";
const std::string kEnglishHeading = "Days \tObsolete files    \r\n";
const std::string kFrenchHeading = "Jours\tFichiers obsoletes\r\n";
const std::string kSeparator = "=====\t==================\r\n\r\n";
constexpr int64_t kNow = 1700000000;
constexpr int64_t kDay = 86400;

struct Row {
  std::optional<std::string> destpath;
  std::optional<int64_t> otime;
  int isobsolete = 1;
  std::string task = "task";
};

// A database shaped like the engine's: table dest, rows inserted in the order given.
void MakeDatabase(const std::string& path, const std::vector<Row>& rows) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TABLE dest (destpath TEXT, otime INTEGER, isobsolete INTEGER, "
                         "task TEXT);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_stmt* st = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO dest VALUES (?1, ?2, ?3, ?4);", -1, &st, nullptr),
            SQLITE_OK);
  for (const Row& r : rows) {
    if (r.destpath) sqlite3_bind_text(st, 1, r.destpath->c_str(), -1, SQLITE_TRANSIENT);
    else sqlite3_bind_null(st, 1);
    if (r.otime) sqlite3_bind_int64(st, 2, *r.otime);
    else sqlite3_bind_null(st, 2);
    sqlite3_bind_int(st, 3, r.isobsolete);
    sqlite3_bind_text(st, 4, r.task.c_str(), -1, SQLITE_TRANSIENT);
    ASSERT_EQ(sqlite3_step(st), SQLITE_DONE);
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
}

class ObsoleteReportTest : public ::testing::Test {
 protected:
  std::string Database() const { return dir_.File("Vaultrine.sqlite"); }
  std::string Report() const { return dir_.File(kObsoleteReportFileName); }

  ReportOutcome RunLauncher(Language language = Language::kEnglish) {
    return WriteObsoleteReport(LauncherReportVariant(language, Report()), Database(), kNow, sink_);
  }
  ReportOutcome RunLibrary(const std::string& task) {
    return WriteObsoleteReport(LibraryReportVariant(task, "Backup caption", Report()), Database(),
                               kNow, sink_);
  }
  // Report body after the library variant's mark.
  std::string LibraryRows(const std::string& task) {
    EXPECT_EQ(RunLibrary(task), ReportOutcome::kWritten);
    EXPECT_TRUE(sink_.messages.empty());
    const std::string bytes = ReadBytes(Report());
    EXPECT_EQ(bytes.substr(0, 3), kMark);
    return bytes.substr(std::min<size_t>(3, bytes.size()));
  }

  TempDir dir_;
  RecordingSink sink_;
};

// Byte layout, both variants, both heading languages.
struct GoldenCase {
  const char* name;
  bool launcher;
  Language language;
  std::vector<Row> rows;
  std::string expected;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

class ObsoleteReportGolden : public ObsoleteReportTest,
                             public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(ObsoleteReportGolden, WritesExactBytes) {
  const GoldenCase& c = GetParam();
  MakeDatabase(Database(), c.rows);
  const ReportOutcome outcome = c.launcher ? RunLauncher(c.language) : RunLibrary("task");
  EXPECT_EQ(outcome, ReportOutcome::kWritten);
  EXPECT_TRUE(sink_.messages.empty());
  EXPECT_EQ(ReadBytes(Report()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ObsoleteReportGolden,
    ::testing::Values(
        GoldenCase{"EmptyEnglish", true, Language::kEnglish, {}, kMark + kEnglishHeading + kSeparator},
        GoldenCase{"EmptyFrench", true, Language::kFrench, {}, kMark + kFrenchHeading + kSeparator},
        GoldenCase{"EmptyLibrary", false, Language::kEnglish, {}, kMark},
        GoldenCase{"LauncherRows", true, Language::kFrench,
                   {{"D:/bak/a.txt", kNow - 3 * kDay}, {"D:/bak/b.txt", kNow - kDay, 0},
                    {"D:\\bak\\c.txt", kNow}},
                   kMark + kFrenchHeading + kSeparator + "0\tD:\\bak\\c.txt\r\n" +
                       "3\tD:\\bak\\a.txt\r\n"},
        GoldenCase{"LibraryRows", false, Language::kEnglish,
                   {{"x/y/z.doc", kNow - 10 * kDay}, {"old.doc", kNow - 400 * kDay}},
                   kMark + "10\tx\\y\\z.doc\r\n400\told.doc\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DayCase {
  const char* name;
  int64_t seconds_ago;
  std::string expected;
};

void PrintTo(const DayCase& c, std::ostream* os) { *os << c.name; }

class ObsoleteReportDays : public ObsoleteReportTest,
                           public ::testing::WithParamInterface<DayCase> {};

TEST_P(ObsoleteReportDays, CountsWholeDaysTowardZero) {
  MakeDatabase(Database(), {{"f", kNow - GetParam().seconds_ago}});
  EXPECT_EQ(LibraryRows("task"), GetParam().expected + "\tf\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, ObsoleteReportDays,
    ::testing::Values(DayCase{"JustUnderADay", kDay - 1, "0"}, DayCase{"ExactlyADay", kDay, "1"},
                      DayCase{"Now", 0, "0"}, DayCase{"ADayAheadLessOne", -(kDay - 1), "0"},
                      DayCase{"ADayAhead", -kDay, "-1"}, DayCase{"MoreThanADayAhead", -(kDay + 1), "-1"},
                      DayCase{"ThreeDaysAhead", -3 * kDay - 5, "-3"},
                      DayCase{"TenYears", 3653 * kDay + kDay / 2, "3653"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ObsoleteReportTest, CountsDaysPast2038) {
  const int64_t after_2038 = (int64_t{1} << 31) + 12345;
  MakeDatabase(Database(), {{"f", after_2038 - 5 * kDay}, {"g", kNow}});
  ASSERT_EQ(WriteObsoleteReport(LibraryReportVariant("task", "c", Report()), Database(), after_2038,
                                sink_),
            ReportOutcome::kWritten);
  EXPECT_EQ(ReadBytes(Report()), kMark + "5\tf\r\n" + std::to_string((after_2038 - kNow) / kDay) +
                                     "\tg\r\n");
}

TEST_F(ObsoleteReportTest, EqualTimesKeepSqliteOrder) {
  std::vector<Row> rows;
  for (int i = 0; i < 40; ++i) rows.push_back({"dir/file" + std::to_string(i), kNow - (i % 3) * kDay});
  MakeDatabase(Database(), rows);

  // The order in which SQLite hands the rows out for the same statement.
  std::string expected;
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(Database().c_str(), &db), SQLITE_OK);
  sqlite3_stmt* st = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db,
                               "SELECT destpath, otime FROM dest WHERE isobsolete > 0  "
                               "and task like 'task' order by otime DESC;",
                               -1, &st, nullptr),
            SQLITE_OK);
  while (sqlite3_step(st) == SQLITE_ROW) {
    std::string path = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    path.replace(path.find('/'), 1, "\\");
    expected += std::to_string((kNow - sqlite3_column_int64(st, 1)) / kDay) + "\t" + path + "\r\n";
  }
  sqlite3_finalize(st);
  sqlite3_close(db);

  EXPECT_EQ(LibraryRows("task"), expected);
}

TEST_F(ObsoleteReportTest, WritesLongPathsWhole) {
  std::string path;
  while (path.size() < 5000) path += "very long folder name/";
  path += "file.txt";
  std::string printed = path;
  for (char& ch : printed) if (ch == '/') ch = '\\';
  MakeDatabase(Database(), {{path, kNow - 2 * kDay}, {"short", kNow - 3 * kDay}});
  EXPECT_EQ(LibraryRows("task"), "2\t" + printed + "\r\n3\tshort\r\n");
}

TEST_F(ObsoleteReportTest, RowsWithoutPathOrTime) {
  MakeDatabase(Database(), {{std::nullopt, kNow - kDay}, {"no/time", std::nullopt}, {"kept", kNow - 2 * kDay}});
  // No path: nothing to list. No time: listed last with an empty count.
  EXPECT_EQ(LibraryRows("task"), "2\tkept\r\n\tno\\time\r\n");
}

TEST_F(ObsoleteReportTest, ReplacesAnOlderLongerReport) {
  MakeDatabase(Database(), {});
  for (bool launcher : {true, false}) {
    WriteBytes(Report(), std::string(100000, 'x'));
    ASSERT_EQ(launcher ? RunLauncher() : RunLibrary("task"), ReportOutcome::kWritten);
    EXPECT_EQ(ReadBytes(Report()), launcher ? kMark + kEnglishHeading + kSeparator : kMark);
  }
}

// Task names are LIKE patterns bound as values: wildcards work, quotes are just text.
struct TaskCase {
  const char* name;
  std::string pattern;
  std::string expected;
};

void PrintTo(const TaskCase& c, std::ostream* os) { *os << c.name; }

class ObsoleteReportTasks : public ObsoleteReportTest,
                            public ::testing::WithParamInterface<TaskCase> {};

TEST_P(ObsoleteReportTasks, SelectsRowsOfMatchingTasks) {
  auto row = [](std::string path, int64_t days, std::string task) {
    return Row{std::move(path), kNow - days * kDay, 1, std::move(task)};
  };
  MakeDatabase(Database(), {row("alpha", 1, "C:\\ini\\alpha.ini-1"), row("alpine", 2, "C:\\ini\\alpine.ini-1"),
                            row("beta", 3, "C:\\ini\\beta.ini-1"), row("quoted", 4, "C:\\ini\\say \"hi\".ini-1"),
                            row("task", 5, "task"), row("pct", 6, "100%")});
  EXPECT_EQ(LibraryRows(GetParam().pattern), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, ObsoleteReportTasks,
    ::testing::Values(
        TaskCase{"Exact", "C:\\ini\\alpha.ini-1", "1\talpha\r\n"},
        TaskCase{"AsciiCaseIgnored", "c:\\INI\\ALPHA.ini-1", "1\talpha\r\n"},
        TaskCase{"PercentMatchesOthers", "C:\\ini\\al%", "1\talpha\r\n2\talpine\r\n"},
        TaskCase{"UnderscoreMatchesOneCharacter", "C:\\ini\\_eta.ini-_", "3\tbeta\r\n"},
        TaskCase{"DoubleQuoteInName", "C:\\ini\\say \"hi\".ini-1", "4\tquoted\r\n"},
        TaskCase{"ColumnNameIsText", "task", "5\ttask\r\n"},
        TaskCase{"InjectionMatchesNothing", "x\" or 1=1 or \"", ""},
        TaskCase{"SingleQuoteMatchesNothing", "x' or '1'='1", ""},
        TaskCase{"EverythingPattern", "%", "1\talpha\r\n2\talpine\r\n3\tbeta\r\n4\tquoted\r\n5\ttask\r\n6\tpct\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Failures: one box each, the right text, icon and caption, and what the report keeps.
struct FailureCase {
  const char* name;
  bool launcher;
  enum { kNoDatabase, kNoTable, kNoReport } fault;
  ReportOutcome outcome;
  std::string text;  // for a missing database: the text before SQLite's reason
  MessageIcon icon;
  std::string caption;
  std::optional<std::string> report;  // nullopt: no report file at all
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ObsoleteReportFailures : public ObsoleteReportTest,
                               public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ObsoleteReportFailures, ShowOneBoxAndKeepTheHeading) {
  const FailureCase& c = GetParam();
  std::string database = Database();
  std::string report = Report();
  if (c.fault == FailureCase::kNoDatabase) database = dir_.File("missing.sqlite");
  if (c.fault == FailureCase::kNoTable) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE other (x);", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
  } else {
    MakeDatabase(Database(), {{"a", kNow}});
  }
  if (c.fault == FailureCase::kNoReport) report = dir_.File("no such folder/" + std::string(kObsoleteReportFileName));

  const ObsoleteReportVariant v = c.launcher ? LauncherReportVariant(Language::kEnglish, report)
                                             : LibraryReportVariant("%", "Backup caption", report);
  EXPECT_EQ(WriteObsoleteReport(v, database, kNow, sink_), c.outcome);
  ASSERT_EQ(sink_.messages.size(), 1u);
  if (c.fault == FailureCase::kNoDatabase) {
    EXPECT_THAT(sink_.messages[0].text, ::testing::StartsWith(c.text));
    EXPECT_GT(sink_.messages[0].text.size(), c.text.size());
  } else {
    EXPECT_EQ(sink_.messages[0].text, c.text);
  }
  EXPECT_EQ(sink_.messages[0].icon, c.icon);
  EXPECT_EQ(sink_.messages[0].caption, c.caption);
  if (c.report) {
    EXPECT_EQ(ReadBytes(report), *c.report);
  } else {
    EXPECT_FALSE(std::filesystem::exists(report));
  }
  // The report only reads: a missing database is not created.
  if (c.fault == FailureCase::kNoDatabase) {
    EXPECT_FALSE(std::filesystem::exists(database));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ObsoleteReportFailures,
    ::testing::Values(
        FailureCase{"LauncherNoDatabase", true, FailureCase::kNoDatabase, ReportOutcome::kOpenFailed,
                    "Erreur lors de l'ouverture de la base de données: ", MessageIcon::kError,
                    "VAULTRINE 1.92", kMark + kEnglishHeading + kSeparator},
        FailureCase{"LibraryNoDatabase", false, FailureCase::kNoDatabase, ReportOutcome::kOpenFailed,
                    "Can't open database: ", MessageIcon::kWarning, "Backup caption", kMark},
        FailureCase{"LauncherNoTable", true, FailureCase::kNoTable, ReportOutcome::kQueryFailed,
                    "Erreur SQL: no such table: dest", MessageIcon::kError, "VAULTRINE 1.92",
                    kMark + kEnglishHeading + kSeparator},
        FailureCase{"LibraryNoTable", false, FailureCase::kNoTable, ReportOutcome::kQueryFailed,
                    "SQL error: no such table: dest", MessageIcon::kWarning, "Backup caption", kMark},
        FailureCase{"LauncherNoReport", true, FailureCase::kNoReport, ReportOutcome::kCreateFailed,
                    "Une erreur s'est produite lors de la création du fichier liste",
                    MessageIcon::kWarning, "VAULTRINE 1.92", std::nullopt},
        FailureCase{"LibraryNoReport", false, FailureCase::kNoReport, ReportOutcome::kCreateFailed,
                    "Could not create the output file.", MessageIcon::kWarning, "Backup caption",
                    std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ObsoleteReportTest, ErrorTextsAreWholeSqliteMessages) {
  MakeDatabase(Database(), {});
  WriteBytes(dir_.File("garbage.sqlite"), std::string(4096, 'g'));
  ASSERT_EQ(WriteObsoleteReport(LibraryReportVariant("%", "c", Report()), dir_.File("garbage.sqlite"),
                                kNow, sink_),
            ReportOutcome::kQueryFailed);
  ASSERT_EQ(WriteObsoleteReport(LauncherReportVariant(Language::kFrench, Report()),
                                dir_.File("missing.sqlite"), kNow, sink_),
            ReportOutcome::kOpenFailed);
  ASSERT_EQ(sink_.messages.size(), 2u);
  EXPECT_EQ(sink_.messages[0].text, "SQL error: file is not a database");
  EXPECT_EQ(sink_.messages[1].text, "Erreur lors de l'ouverture de la base de données: unable to open database file");
}

TEST_F(ObsoleteReportTest, AReportThatCannotBeWrittenIsNotOpened) {
  // /dev/full opens but refuses every byte: a full disk. Library variant only, as
  // the launcher's deletes the old report first.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  MakeDatabase(Database(), {{"a", kNow}});
  EXPECT_EQ(WriteObsoleteReport(LibraryReportVariant("task", "c", "/dev/full"), Database(), kNow, sink_),
            ReportOutcome::kCreateFailed);
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_EQ(sink_.messages[0].text, "Could not create the output file.");
}

TEST(ObsoleteReportClock, IsSecondsSince1970In64Bits) {
  const int64_t now = CurrentUnixTime();
  EXPECT_GT(now, 1700000000);  // after November 2023
  EXPECT_LT(now, int64_t{1} << 40);  // seconds, not milliseconds
}

}  // namespace
}  // namespace vaultrine
