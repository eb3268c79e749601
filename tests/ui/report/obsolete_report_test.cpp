// The obsolete-files report under Wine: its boxes, and Notepad started on it
// (a stand-in Notepad.exe in the current folder, which CreateProcess searches
// before the system folder).
#include "common/win/obsolete_report_win.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "common/win/wide.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::win {
namespace {

using uitest::BinFolder;
using uitest::BoxAnswerer;
using uitest::ScratchFolder;

const std::string kMark = "\xEF\xBB\xBF";
const char* const kCaption = "Sauvegarde termin\xC3\xA9" "e";

void MakeDatabase(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

class ObsoleteReportWine : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t old[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, old);
    old_dir_ = old;
    ASSERT_TRUE(SetCurrentDirectoryW(ToWide(scratch_.path()).c_str()));
    ASSERT_TRUE(uitest::CopyFileTo(BinFolder() + "\\stand_in_program.exe", scratch_.File("Notepad.exe")));
    uitest::SetStandInMarker(marker());
  }
  void TearDown() override {
    uitest::SetStandInMarker("");
    SetCurrentDirectoryW(old_dir_.c_str());
  }
  std::string marker() const { return scratch_.File("notepad-ran.txt"); }
  std::string database() const { return scratch_.File("Vaultrine.sqlite"); }

  ScratchFolder scratch_;
  std::wstring old_dir_;
};

TEST_F(ObsoleteReportWine, LibraryWritesTheTaskRowsAndOpensNotepad) {
  const long long now = static_cast<long long>(CurrentUnixTime());
  MakeDatabase(database(), ("CREATE TABLE dest (destpath TEXT, otime INTEGER, isobsolete INTEGER, task TEXT);"
                            "INSERT INTO dest VALUES ('F:/b/a \"x\".txt', " + std::to_string(now - 2 * 86400) +
                            ", 1, 'C:\\t\\say \"hi\".ini-1'), ('F:/b/other.txt', " + std::to_string(now) +
                            ", 1, 'C:\\t\\other.ini-1');").c_str());
  EXPECT_TRUE(RunLibraryObsoleteReport(nullptr, kCaption, database(), "c:\\T\\SAY \"hi\".ini-_"));
  EXPECT_EQ(uitest::ReadFileBytes(scratch_.File("Lapsarium_FileList.txt")), kMark + "2\tF:\\b\\a \"x\".txt\r\n");
  ASSERT_TRUE(uitest::FileExists(marker()));
  EXPECT_EQ(uitest::ReadFileBytes(marker()), scratch_.path() + "|Notepad.exe Lapsarium_FileList.txt\r\n");
}

TEST_F(ObsoleteReportWine, LauncherWritesTheFrenchHeadingAndOpensNotepadOnTheFullPath) {
  MakeDatabase(database(), "CREATE TABLE dest (destpath TEXT, otime INTEGER, isobsolete INTEGER, task TEXT);");
  HWND launcher = CreateWindowExW(0, L"STATIC", L"launcher", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(launcher, nullptr);
  RunLauncherObsoleteReport(launcher, Language::kFrench, database(), scratch_.path());
  const std::string report = scratch_.File("Lapsarium_FileList.txt");
  EXPECT_EQ(uitest::ReadFileBytes(report),
            kMark + "Jours\tFichiers obsoletes\r\n=====\t==================\r\n\r\n");
  EXPECT_EQ(uitest::ReadFileBytes(marker()), scratch_.path() + "|Notepad.exe " + report + "\r\n");
  EXPECT_FALSE(IsIconic(launcher)) << "restored once Notepad has ended";
  DestroyWindow(launcher);
}

struct FailureCase {
  const char* name;
  bool launcher;
  enum { kNoDatabase, kNoTable, kReportBlocked } fault;
  std::string text;  // whole text, or for kNoDatabase the text before SQLite's reason
};

TEST_F(ObsoleteReportWine, FailuresShowOneBoxAndStartNothing) {
  MakeDatabase(database(), "CREATE TABLE other (x);");
  const FailureCase cases[] = {
      {"library, no database", false, FailureCase::kNoDatabase, "Can't open database: "},
      {"library, no table", false, FailureCase::kNoTable, "SQL error: no such table: dest"},
      {"library, report blocked", false, FailureCase::kReportBlocked, "Could not create the output file."},
      {"launcher, no database", true, FailureCase::kNoDatabase,
       "Erreur lors de l'ouverture de la base de donn\xC3\xA9" "es: "},
      {"launcher, no table", true, FailureCase::kNoTable, "Erreur SQL: no such table: dest"},
      {"launcher, report blocked", true, FailureCase::kReportBlocked,
       "Une erreur s'est produite lors de la cr\xC3\xA9" "ation du fichier liste"},
  };
  const std::string report = scratch_.File("Lapsarium_FileList.txt");
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    RemoveDirectoryW(ToWide(report).c_str());
    // A folder under the report's name: the report cannot be created.
    if (c.fault == FailureCase::kReportBlocked) {
      DeleteFileW(ToWide(report).c_str());
      ASSERT_TRUE(CreateDirectoryW(ToWide(report).c_str(), nullptr));
    }
    const std::string db = c.fault == FailureCase::kNoDatabase ? scratch_.File("absent.sqlite") : database();
    const std::string caption = c.launcher ? "VAULTRINE 1.92" : kCaption;
    BoxAnswerer answer(ToWide(caption), IDOK);
    if (c.launcher) {
      RunLauncherObsoleteReport(nullptr, Language::kEnglish, db, scratch_.path());
    } else {
      EXPECT_FALSE(RunLibraryObsoleteReport(nullptr, caption, db, "%"));
    }
    const uitest::BoxSeen& seen = answer.Join();
    ASSERT_TRUE(seen.found);
    if (c.fault == FailureCase::kNoDatabase) {
      EXPECT_EQ(seen.text.rfind(c.text, 0), 0u) << seen.text;
      EXPECT_GT(seen.text.size(), c.text.size()) << "SQLite's reason follows";
    } else {
      EXPECT_EQ(seen.text, c.text);
    }
    EXPECT_FALSE(uitest::FileExists(marker())) << "Notepad must not start";
    EXPECT_FALSE(uitest::FileExists(scratch_.File("absent.sqlite"))) << "no database created";
  }
  RemoveDirectoryW(ToWide(report).c_str());
}

}  // namespace
}  // namespace vaultrine::win
