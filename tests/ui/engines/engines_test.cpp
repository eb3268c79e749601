// The stand-in engines, each run as the launcher runs it: from a scratch program folder
// that is also its current directory, beside a recording library that journals every
// call instead of showing windows. What they produce is checked: the copies, the
// database, and the calls, in order, with their arguments.
#include <sqlite3.h>
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "backup_support/resource.h"
#include "common/win/wide.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::uitest {
namespace {

using win::ToWide;

struct Call {
  std::string name;
  std::vector<std::string> args;
  std::string Arg(size_t i) const { return i < args.size() ? args[i] : "<missing>"; }
};

std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      const char c = s[++i];
      out.push_back(c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c);
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

std::vector<Call> ReadJournal(const std::string& path) {
  std::vector<Call> calls;
  const std::string bytes = ReadFileBytes(path);
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(start, end - start);
    start = end + 1;
    Call call;
    size_t field = 0;
    while (true) {
      const size_t tab = line.find('\t', field);
      const std::string value = Unescape(line.substr(field, tab == std::string::npos ? std::string::npos : tab - field));
      if (call.name.empty()) {
        call.name = value;
      } else {
        call.args.push_back(value);
      }
      if (tab == std::string::npos) break;
      field = tab + 1;
    }
    calls.push_back(call);
  }
  return calls;
}

std::vector<Call> Named(const std::vector<Call>& calls, const std::string& name) {
  std::vector<Call> out;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(out), [&](const Call& c) { return c.name == name; });
  return out;
}

size_t IndexOf(const std::vector<Call>& calls, const std::string& name) {
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].name == name) return i;
  }
  return std::string::npos;
}

std::string Names(const std::vector<Call>& calls) {
  std::string out;
  for (const Call& c : calls) out += c.name + " ";
  return out;
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// A scratch program folder holding one engine and a recording library, and the
// folders the engine works on.
class EngineFixture : public ::testing::Test {
 protected:
  void Install(const char* engine, const char* library_as, const char* library_from) {
    program_ = scratch_.File("program");
    CreateDirectoryW(ToWide(program_).c_str(), nullptr);
    ASSERT_TRUE(CopyFileTo(BinFolder() + "\\" + engine, program_ + "\\" + engine));
    ASSERT_TRUE(CopyFileTo(BinFolder() + "\\fakes\\" + library_from, program_ + "\\" + library_as));
    engine_ = engine;
  }
  void InstallCatalog() {
    const std::string folder = program_ + "\\locale\\gui\\LC_MESSAGES";
    SHCreateDirectoryExW(nullptr, ToWide(folder).c_str(), nullptr);
    ASSERT_TRUE(CopyFileTo(BinFolder() + "\\..\\programfolder\\locale\\gui\\LC_MESSAGES\\vaultrine.mo",
                           folder + "\\vaultrine.mo"));
  }
  void RemoveCatalog() { DeleteFileW(ToWide(program_ + "\\locale\\gui\\LC_MESSAGES\\vaultrine.mo").c_str()); }

  // Starts the engine with the journal and `env` set, runs `meanwhile` (which may drive
  // the engine's windows), and waits for the end. Returns the exit code (or a failure).
  DWORD RunEngine(const std::map<std::wstring, std::string>& env = {},
                  const std::function<void(DWORD process_id)>& meanwhile = {}) {
    journal_ = scratch_.File("journal-" + std::to_string(++runs_) + ".txt");
    SetEnvironmentVariableW(L"VAULTRINE_JOURNAL", ToWide(journal_).c_str());
    for (const auto& [name, value] : env) SetEnvironmentVariableW(name.c_str(), ToWide(value).c_str());
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + ToWide(program_ + "\\" + engine_) + L"\"";
    const BOOL started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        ToWide(program_).c_str(), &si, &pi);
    for (const auto& [name, value] : env) SetEnvironmentVariableW(name.c_str(), nullptr);
    SetEnvironmentVariableW(L"VAULTRINE_JOURNAL", nullptr);
    EXPECT_TRUE(started);
    if (!started) return 0xDEAD;
    if (meanwhile) meanwhile(pi.dwProcessId);
    const DWORD waited = WaitForSingleObject(pi.hProcess, 60000);
    EXPECT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0)) << engine_ << " did not end";
    if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 0xDEAD);
    DWORD code = 0xDEAD;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    calls_ = ReadJournal(journal_);
    return code;
  }

  ScratchFolder scratch_;
  std::string program_;
  std::string engine_;
  std::string journal_;
  int runs_ = 0;
  std::vector<Call> calls_;
};

// ---------------------------------------------------------------------------
// Backup stand-in

struct Row {
  std::string destpath;
  long long otime;
  long long isobsolete;
  std::string task;
};

class Database {
 public:
  explicit Database(const std::string& path) { open_ = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK; }
  ~Database() { sqlite3_close(db_); }
  bool open() const { return open_; }
  std::vector<std::string> Columns() {
    std::vector<std::string> names;
    Query("PRAGMA table_info(dest);", {}, [&](sqlite3_stmt* s) { names.push_back(Text(s, 1)); });
    return names;
  }
  std::vector<Row> Rows() {
    std::vector<Row> rows;
    Query("SELECT destpath, otime, isobsolete, task FROM dest ORDER BY destpath;", {}, [&](sqlite3_stmt* s) {
      rows.push_back({Text(s, 0), sqlite3_column_int64(s, 1), sqlite3_column_int64(s, 2), Text(s, 3)});
    });
    return rows;
  }
  // The backup library's report statement for one task: path and age in days of each obsolete row.
  std::vector<std::pair<std::string, long long>> ObsoleteReport(const std::string& task_pattern) {
    std::vector<std::pair<std::string, long long>> rows;
    const std::string sql = "SELECT destpath,((" + std::to_string(static_cast<long long>(std::time(nullptr))) +
                            " - otime) / 86400) as days FROM dest WHERE isobsolete > 0 and task like ?1 order by otime DESC;";
    Query(sql.c_str(), {task_pattern}, [&](sqlite3_stmt* s) { rows.emplace_back(Text(s, 0), sqlite3_column_int64(s, 1)); });
    return rows;
  }
  long long CountLike(const std::string& pattern) {
    long long n = -1;
    Query("SELECT count(*) FROM dest WHERE task LIKE ?1;", {pattern}, [&](sqlite3_stmt* s) { n = sqlite3_column_int64(s, 0); });
    return n;
  }

 private:
  static std::string Text(sqlite3_stmt* s, int i) {
    const unsigned char* t = sqlite3_column_text(s, i);
    return t ? reinterpret_cast<const char*>(t) : "";
  }
  template <typename Fn>
  void Query(const char* sql, const std::vector<std::string>& binds, Fn row) {
    sqlite3_stmt* s = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db_, sql, -1, &s, nullptr), SQLITE_OK) << sqlite3_errmsg(db_);
    for (size_t i = 0; i < binds.size(); ++i) sqlite3_bind_text(s, static_cast<int>(i + 1), binds[i].c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(s) == SQLITE_ROW) row(s);
    sqlite3_finalize(s);
  }
  sqlite3* db_ = nullptr;
  bool open_ = false;
};

// The library's slot capacities, in characters of the ANSI code page.
const std::map<int, size_t> kSlotCapacity = {{300, 32}, {480, 16}, {490, 16}, {501, 32}, {502, 64},
                                             {503, 16}, {504, 16}, {505, 16}, {508, 64}, {509, 16},
                                             {510, 16}, {631, 32}, {9000, 128}, {9001, 19}};
// The French texts of the result windows' templates, which the slots replace.
const std::map<int, std::string> kFrenchTemplateTexts = {
    {501, "Date sauvegarde"},
    {502, "Nombre de fichiers trait\xC3\xA9s depuis la derni\xC3\xA8re sauvegarde"},
    {503, "Nouveaux"},
    {504, "Modifi\xC3\xA9s"},
    {505, "Obsol\xC3\xA8tes"},
    {508, "Taille des fichiers sauvegard\xC3\xA9s"},
    {509, "Nouveaux"},
    {510, "Modifi\xC3\xA9s"},
    {631, "Date sauvegarde"}};

size_t Utf16Length(const std::string& utf8) { return ToWide(utf8).size(); }

class BackupEngine : public EngineFixture {
 protected:
  void SetUp() override {
    Install("Vaultrine.exe", "Vaultrine.dll", "Vaultrine.dll");
    source_ = scratch_.File("source");
    backup_ = scratch_.File("backup");
    parameter_path_ = program_ + "\\Vaultrine.ini";
    // Kept: plain, accented, empty, nested, and a .tmp file that a `no` rule keeps.
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"a.txt", "alpha\r\n"},
             {"caf\xC3\xA9.txt", "cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e"},
             {"empty.bin", ""},
             {"sub\\b.doc", std::string(3000, 'b')},
             {"sub\\keep\\c.tmp", "kept by a no rule"},
             {"skip.tmp", "excluded"},
             {"sub\\old.tmp", "excluded too"}}) {
      Put(source_ + "\\" + name, bytes);
    }
    Put(scratch_.File("disabled\\d.txt"), "from a disabled include");
    kept_ = {"a.txt", "caf\xC3\xA9.txt", "empty.bin", "sub\\b.doc", "sub\\keep\\c.tmp"};
  }

  static void Put(const std::string& path, const std::string& bytes) {
    SHCreateDirectoryExW(nullptr, ToWide(path.substr(0, path.find_last_of('\\'))).c_str(), nullptr);
    WriteFileBytes(path, bytes);
  }

  // The written destination names another drive letter: the volume search must put the
  // scratch folder's own drive in its place.
  void WriteParameterFile(const std::string& database_line, bool with_volume = true) {
    const std::string destination_line =
        with_volume ? "\"Q" + backup_.substr(1) + "\" ,name=VLT_TEST , search" : "\"" + backup_ + "\"";
    WriteFileBytes(parameter_path_,
                   "\xEF\xBB\xBF[general]\r\nov_obsolete=1\r\nobsolete=180d\r\n" + database_line +
                       "summary=\"" + scratch_.File("summary") + "\"\r\n\r\n"
                       "[include]\r\n\"" + source_ + "\\\"\r\n#\"" + scratch_.File("disabled") + "\\\"\r\n\r\n"
                       "[destination]\r\n" + destination_line + "\r\n\r\n"
                       "[exclude]\r\nyes => (path=\"*.tmp\")\r\nno => (path=\"*\\keep\\*\")\r\n#yes => (path=\"*.doc\")\r\n\r\n"
                       "[md5_compare]\r\n\r\n[old_versions]\r\n\r\n[compress]\r\n\r\n[crypt]\r\n\r\n[crypt_path]\r\n\r\n"
                       "[restore]\r\nC:\\000_Revivalis\\\r\n\r\n# eof\r\n");
  }

  std::map<std::wstring, std::string> Env(const std::string& disc = "") const {
    return {{L"VAULTRINE_FAKE_DISC", disc.empty() ? backup_.substr(0, 1) : disc}, {L"VAULTRINE_FAKE_LABEL", "VLT_TEST"}};
  }

  std::string Copy(const std::string& relative) const {
    return backup_ + "\\" + source_.substr(0, 1) + source_.substr(2) + "\\" + relative;
  }

  // Every slot is set before the space question; their texts fit and the question has
  // exactly the three places the library fills.
  std::map<int, std::string> CheckSlots() {
    std::map<int, std::string> texts;
    const size_t question = IndexOf(calls_, "CheckDiscSpace");
    for (size_t i = 0; i < calls_.size() && i < question; ++i) {
      if (calls_[i].name == "GetTranslatedText") texts[std::stoi(calls_[i].Arg(0))] = calls_[i].Arg(1);
    }
    EXPECT_EQ(texts.size(), kSlotCapacity.size()) << Names(calls_);
    for (const auto& [id, capacity] : kSlotCapacity) {
      SCOPED_TRACE(id);
      EXPECT_FALSE(texts[id].empty());
      EXPECT_LE(Utf16Length(texts[id]), capacity) << texts[id];
    }
    const std::string& q = texts[9000];
    size_t places = 0;
    for (size_t p = q.find('%'); p != std::string::npos; p = q.find('%', p + 2)) {
      EXPECT_EQ(q.substr(p, 2), "%s") << q;
      ++places;
    }
    EXPECT_EQ(places, 3u) << q;
    return texts;
  }

  std::string source_, backup_, parameter_path_;
  std::vector<std::string> kept_;
};

TEST_F(BackupEngine, BacksUpRecordsAndMarksVanishedFilesObsolete) {
  WriteParameterFile("database=Test.sqlite\r\n");
  const long long t0 = std::time(nullptr);
  ASSERT_EQ(RunEngine(Env()), 0u) << Names(calls_);
  const long long t1 = std::time(nullptr);

  ASSERT_FALSE(calls_.empty());
  EXPECT_EQ(calls_.front().name, "Load");
  EXPECT_EQ(calls_.front().Arg(0), "engine window") << "the engine's window must exist when the library loads";
  CheckSlots();

  // The volume: looked up by name, then the destination on the drive found.
  const size_t disc = IndexOf(calls_, "GetDiscFromVolumename");
  ASSERT_NE(disc, std::string::npos);
  EXPECT_EQ(calls_[disc].Arg(0), "VLT_TEST");
  const size_t volume = IndexOf(calls_, "GetVolumeName");
  ASSERT_NE(volume, std::string::npos);
  EXPECT_GT(volume, disc);
  EXPECT_EQ(calls_[volume].Arg(0), backup_);

  // Copies: the kept files, byte for byte; nothing excluded or disabled.
  uint64_t total = 0;
  std::set<std::string> sources;
  for (const std::string& f : kept_) {
    SCOPED_TRACE(f);
    const std::string original = ReadFileBytes(source_ + "\\" + f);
    EXPECT_TRUE(FileExists(Copy(f)));
    EXPECT_EQ(ReadFileBytes(Copy(f)), original);
    total += original.size();
    sources.insert(source_ + "\\" + f);
  }
  for (const char* f : {"skip.tmp", "sub\\old.tmp"}) EXPECT_FALSE(FileExists(Copy(f))) << f;
  EXPECT_FALSE(FileExists(backup_ + "\\" + scratch_.path().substr(0, 1) + scratch_.path().substr(2) + "\\disabled"));

  const size_t space = IndexOf(calls_, "CheckDiscSpace");
  ASSERT_NE(space, std::string::npos);
  EXPECT_EQ(calls_[space].Arg(0), backup_);
  EXPECT_EQ(calls_[space].Arg(1), std::to_string(total));
  std::set<std::string> examined;
  for (const Call& c : Named(calls_, "GetFileTimeAndSize")) examined.insert(c.Arg(0));
  for (const std::string& s : sources) EXPECT_TRUE(examined.count(s)) << s;

  std::set<std::string> recorded;
  std::string new_label;
  for (const Call& c : Named(calls_, "RecordFilenames")) {
    EXPECT_FALSE(StartsWith(c.Arg(0), "@")) << c.Arg(1);
    new_label = c.Arg(0);
    recorded.insert(c.Arg(1));
  }
  EXPECT_EQ(recorded, sources);

  // The database: four columns, one live row per copy, the task of this parameter file.
  Database db(program_ + "\\Test.sqlite");
  ASSERT_TRUE(db.open());
  EXPECT_EQ(db.Columns(), (std::vector<std::string>{"destpath", "otime", "isobsolete", "task"}));
  std::set<std::string> copies;
  for (const std::string& f : kept_) copies.insert(Copy(f));
  std::set<std::string> rows;
  for (const Row& r : db.Rows()) {
    rows.insert(r.destpath);
    EXPECT_EQ(r.isobsolete, 0) << r.destpath;
    EXPECT_GE(r.otime, t0);
    EXPECT_LE(r.otime, t1);
    EXPECT_EQ(r.task.size(), parameter_path_.size() + 2) << r.task;
    EXPECT_TRUE(StartsWith(r.task, parameter_path_)) << r.task;
  }
  EXPECT_EQ(rows, copies);

  // The end: the success window with the real figures, and nothing after it.
  ASSERT_EQ(calls_.back().name, "DisplayGoodResult") << Names(calls_);
  const Call good = calls_.back();
  EXPECT_EQ(good.Arg(3), std::to_string(kept_.size()));  // new
  EXPECT_EQ(good.Arg(4), "0");                           // obsolete
  EXPECT_EQ(good.Arg(5), "0");                           // modified
  EXPECT_EQ(good.Arg(6), std::to_string(total));
  EXPECT_EQ(good.Arg(7), "0");
  EXPECT_EQ(good.Arg(8), program_ + "\\Test.sqlite");
  const std::string task = good.Arg(9);
  EXPECT_EQ(task.substr(0, task.size() - 2), parameter_path_);
  EXPECT_EQ(db.CountLike(task), static_cast<long long>(kept_.size()));
  EXPECT_TRUE(Named(calls_, "DisplayBadResult").empty());

  // Second run: one file changed, one deleted, one added.
  WriteFileBytes(source_ + "\\a.txt", "alpha, longer now\r\n");
  DeleteFileW(ToWide(source_ + "\\sub\\b.doc").c_str());
  WriteFileBytes(source_ + "\\new.txt", "n");
  const long long t2 = std::time(nullptr);
  ASSERT_EQ(RunEngine(Env()), 0u) << Names(calls_);
  const long long t3 = std::time(nullptr);
  std::map<std::string, std::string> records;
  for (const Call& c : Named(calls_, "RecordFilenames")) records[c.Arg(1)] = c.Arg(0);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[source_ + "\\new.txt"], new_label);
  const std::string modified_label = records[source_ + "\\a.txt"];
  const std::string obsolete_label = records[Copy("sub\\b.doc")];
  EXPECT_EQ(std::set<std::string>({new_label, modified_label, obsolete_label}).size(), 3u)
      << "new, modified and obsolete records carry different labels";
  EXPECT_EQ(ReadFileBytes(Copy("a.txt")), "alpha, longer now\r\n");
  EXPECT_TRUE(FileExists(Copy("sub\\b.doc"))) << "an obsolete copy is kept";
  ASSERT_EQ(calls_.back().name, "DisplayGoodResult");
  EXPECT_EQ(calls_.back().Arg(3), "1");
  EXPECT_EQ(calls_.back().Arg(4), "1");
  EXPECT_EQ(calls_.back().Arg(5), "1");
  EXPECT_EQ(calls_.back().Arg(6), "1");
  EXPECT_EQ(calls_.back().Arg(7), std::to_string(std::string("alpha, longer now\r\n").size()));
  for (const Row& r : db.Rows()) {
    SCOPED_TRACE(r.destpath);
    EXPECT_EQ(r.isobsolete > 0, r.destpath == Copy("sub\\b.doc"));
    if (r.isobsolete > 0) {
      EXPECT_GE(r.otime, t2);
      EXPECT_LE(r.otime, t3);
    }
  }
  // What the success window's obsolete list will show: the deleted file, 0 days old.
  const auto report = db.ObsoleteReport(calls_.back().Arg(9));
  ASSERT_EQ(report.size(), 1u);
  EXPECT_EQ(report[0].first, Copy("sub\\b.doc"));
  EXPECT_EQ(report[0].second, 0);

  // Third run: nothing to do, nothing recorded, nothing needed.
  ASSERT_EQ(RunEngine(Env()), 0u);
  EXPECT_TRUE(Named(calls_, "RecordFilenames").empty()) << Names(calls_);
  const auto questions = Named(calls_, "CheckDiscSpace");
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].Arg(1), "0");
  ASSERT_EQ(calls_.back().name, "DisplayGoodResult");
  for (int arg : {3, 4, 5}) EXPECT_EQ(calls_.back().Arg(arg), "0");
}

TEST_F(BackupEngine, FrenchTextsWhenTheCatalogIsPresent) {
  WriteParameterFile("");
  ASSERT_EQ(RunEngine(Env()), 0u);
  const std::map<int, std::string> english = CheckSlots();
  const std::string english_headline = calls_.back().Arg(1);
  EXPECT_TRUE(FileExists(program_ + "\\Vaultrine.sqlite")) << "the default database name";

  InstallCatalog();
  WriteFileBytes(source_ + "\\a.txt", "changed, and longer");  // same-second changes are seen by size
  ASSERT_EQ(RunEngine(Env()), 0u);
  const std::map<int, std::string> french = CheckSlots();
  for (const auto& [id, text] : kFrenchTemplateTexts) EXPECT_EQ(french.at(id), text) << id;
  for (const auto& [id, text] : english) EXPECT_NE(french.at(id), text) << id;
  ASSERT_EQ(calls_.back().name, "DisplayGoodResult");
  EXPECT_NE(calls_.back().Arg(1), english_headline);
  const auto records = Named(calls_, "RecordFilenames");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Arg(0), "modifi\xC3\xA9");
}

// Runs that cannot finish end in the failure window with the reason, after an error
// record; a file that cannot be copied is an error of a run that still succeeds.
TEST_F(BackupEngine, FailuresAndErrors) {
  const struct {
    const char* name;
    bool parameter_file;
    const char* disc;   // the volume search's answer
    const char* space;  // the space question's answer
    bool lock_a_file;
    bool succeeds;
    std::string reason;  // in the failure text or the error record
  } cases[] = {
      {"volume not found", true, "?", "0", false, false, "VLT_TEST"},
      {"space refused", true, "", "-1", false, false, "space"},
      {"no parameter file", false, "", "0", false, false, "Vaultrine.ini"},
      {"a file locked", true, "", "0", true, true, "a.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileW(ToWide(parameter_path_).c_str());
    if (c.parameter_file) WriteParameterFile("");
    HANDLE lock = INVALID_HANDLE_VALUE;
    if (c.lock_a_file) {
      lock = CreateFileW(ToWide(source_ + "\\a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    }
    auto env = Env(c.disc);
    env[L"VAULTRINE_FAKE_SPACE"] = c.space;
    const DWORD code = RunEngine(env);
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    ASSERT_FALSE(calls_.empty());
    CheckSlots();
    const auto errors = Named(calls_, "RecordFilenames");
    std::vector<Call> error_records;
    std::copy_if(errors.begin(), errors.end(), std::back_inserter(error_records),
                 [](const Call& r) { return StartsWith(r.Arg(0), "@"); });
    ASSERT_EQ(error_records.size(), 1u) << Names(calls_);
    EXPECT_NE(error_records[0].Arg(1).find(c.reason), std::string::npos) << error_records[0].Arg(1);
    if (c.succeeds) {
      EXPECT_EQ(code, 0u);
      ASSERT_EQ(calls_.back().name, "DisplayGoodResult");
      EXPECT_EQ(calls_.back().Arg(3), std::to_string(kept_.size() - 1));
      EXPECT_FALSE(FileExists(Copy("a.txt")));
      EXPECT_TRUE(FileExists(Copy("empty.bin")));
      // The error-count notice is set again at the end, with the count.
      const auto slots = Named(calls_, "GetTranslatedText");
      ASSERT_EQ(slots.back().Arg(0), "9001");
      EXPECT_NE(slots.back().Arg(1).find('1'), std::string::npos) << slots.back().Arg(1);
    } else {
      EXPECT_EQ(code, 1u);
      ASSERT_EQ(calls_.back().name, "DisplayBadResult") << Names(calls_);
      const std::string text = calls_.back().Arg(3);
      EXPECT_NE(text.find(c.reason), std::string::npos) << text;
      EXPECT_EQ(text.back(), '\n');
      EXPECT_TRUE(Named(calls_, "DisplayGoodResult").empty());
      EXPECT_FALSE(FileExists(Copy("a.txt")));
    }
  }
}

// With the real library: the records make its file list, the figures reach its success
// window, and the task text leads it to the parameter file, whose summary folder then
// receives the details archive when the window is confirmed.
TEST_F(BackupEngine, WithTheRealLibrary) {
  ASSERT_TRUE(CopyFileTo(BinFolder() + "\\Vaultrine.dll", program_ + "\\Vaultrine.dll"));
  WriteParameterFile("", false);
  CreateDirectoryW(ToWide(scratch_.File("summary")).c_str(), nullptr);
  std::string list, new_count, obsolete_count;
  bool window_seen = false;
  const DWORD code = RunEngine({}, [&](DWORD pid) {
    HWND window = nullptr;
    window_seen = WaitUntil([&] { return (window = FindProcessWindow(L"#32770", L"Vaultrine 1.92", pid)) != nullptr; }, 20000);
    if (!window) return;
    // The lists are closed before the window opens.
    list = ReadFileBytes(program_ + "\\Vaultrine_FileList.txt");
    auto field = [&](int id) {
      wchar_t text[64] = {};
      DWORD_PTR copied = 0;
      SendMessageTimeoutW(GetDlgItem(window, id), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                          5000, &copied);
      return win::FromWide(text);
    };
    new_count = field(IDC_NEW_COUNT);
    obsolete_count = field(IDC_OBSOLETE_COUNT);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_SUCCESS_OK, BN_CLICKED), 0);
  });
  ASSERT_TRUE(window_seen);
  EXPECT_EQ(code, 0u);
  std::string expected_list = "\xEF\xBB\xBF";
  for (const std::string& f : kept_) expected_list += "new: " + source_ + "\\" + f + "\r\n";
  EXPECT_EQ(list, expected_list);
  EXPECT_EQ(new_count, std::to_string(kept_.size()));
  EXPECT_EQ(obsolete_count, "0");
  for (const std::string& f : kept_) EXPECT_EQ(ReadFileBytes(Copy(f)), ReadFileBytes(source_ + "\\" + f)) << f;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(ToWide(scratch_.File("summary\\*_Details.gz")).c_str(), &found);
  EXPECT_NE(find, INVALID_HANDLE_VALUE) << "no details archive in the summary folder";
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

// ---------------------------------------------------------------------------
// Restore stand-in

class RestoreEngine : public EngineFixture {
 protected:
  void SetUp() override {
    Install("Revivalis.exe", "RestoreVaultrine.dll", "RestoreVaultrine.dll");
    backup_ = scratch_.File("backup\\C");
    restored_ = scratch_.File("restored");
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"Data\\one.txt", "one"},
             {"Data\\sub\\two.txt", std::string(5000, '2')},
             {"Data\\\xC3\xA9t\xC3\xA9.txt", "\xC3\xA9t\xC3\xA9"},
             {"Other\\single.bin", std::string("\0\1\2", 3)},
             {"Other\\not-chosen.txt", "stays"}}) {
      const std::string path = backup_ + "\\" + name;
      SHCreateDirectoryExW(nullptr, ToWide(path.substr(0, path.find_last_of('\\'))).c_str(), nullptr);
      WriteFileBytes(path, bytes);
    }
  }
  void Request(const std::string& bytes) {
    request_ = scratch_.File("request.txt");
    WriteFileBytes(request_, bytes);
  }
  std::string StandardRequest(const std::vector<std::string>& entries) const {
    std::string bytes = "\xEF\xBB\xBFkey=secret\r\ndestination=" + restored_ + "\\\r\n";
    for (const std::string& e : entries) bytes += e + "\r\n";
    return bytes;
  }
  std::map<std::wstring, std::string> Env() const { return {{L"VAULTRINE_FAKE_REQUEST", request_}}; }

  std::string backup_, restored_, request_;
};

TEST_F(RestoreEngine, RestoresChosenFoldersAndFiles) {
  Request(StandardRequest({backup_ + "\\Data\\", backup_ + "\\Other\\single.bin"}));
  ASSERT_EQ(RunEngine(Env()), 0u) << Names(calls_);

  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Data\\one.txt", "Data\\one.txt"},
      {"Data\\sub\\two.txt", "Data\\sub\\two.txt"},
      {"Data\\\xC3\xA9t\xC3\xA9.txt", "Data\\\xC3\xA9t\xC3\xA9.txt"},
      {"Other\\single.bin", "single.bin"}};
  uint64_t size = 0;
  std::set<std::string> targets;
  for (const auto& [from, to] : expected) {
    SCOPED_TRACE(to);
    const std::string original = ReadFileBytes(backup_ + "\\" + from);
    EXPECT_TRUE(FileExists(restored_ + "\\" + to));
    EXPECT_EQ(ReadFileBytes(restored_ + "\\" + to), original);
    size += original.size();
    targets.insert(restored_ + "\\" + to);
  }
  EXPECT_FALSE(FileExists(restored_ + "\\not-chosen.txt"));
  EXPECT_FALSE(FileExists(restored_ + "\\Other"));

  // The calls: request, trace, a gauge started then stepped once per recorded file,
  // the trace closed, then the success window.
  ASSERT_GE(calls_.size(), 6u) << Names(calls_);
  EXPECT_EQ(calls_[0].name, "Load");
  EXPECT_EQ(calls_[0].Arg(0), "engine window") << "the engine's console must exist when the library loads";
  EXPECT_EQ(calls_[1].name, "AskFilesToRestore");
  const std::string caption = calls_[1].Arg(0);
  EXPECT_FALSE(caption.empty());
  EXPECT_LE(caption.size(), 63u);
  EXPECT_EQ(calls_[2].name, "DisplayTrace");
  EXPECT_EQ(calls_[2].Arg(1), "engine window");
  EXPECT_EQ(calls_[3].name, "GaugeRestoreStandardFiles");
  EXPECT_EQ(calls_[3].Arg(0), std::to_string(expected.size()));
  EXPECT_EQ(calls_[3].Arg(1), "0");
  std::set<std::string> recorded;
  int step = 0;
  size_t i = 4;
  for (; i + 1 < calls_.size() && calls_[i].name == "RecordFilenames"; i += 2) {
    EXPECT_EQ(calls_[i].Arg(0), "Standard  ");
    recorded.insert(calls_[i].Arg(1));
    EXPECT_EQ(calls_[i + 1].name, "GaugeRestoreStandardFiles");
    EXPECT_EQ(calls_[i + 1].Arg(1), std::to_string(++step));
  }
  EXPECT_EQ(recorded, targets);
  ASSERT_EQ(i + 2, calls_.size()) << Names(calls_);
  EXPECT_EQ(calls_[i].name, "CloseTrace");
  EXPECT_EQ(calls_[i + 1].name, "DisplayGoodResult");
  EXPECT_EQ(calls_[i + 1].Arg(0), caption);
  EXPECT_EQ(calls_[i + 1].Arg(2), std::to_string(size));
}

// Runs that do not restore everything end in the failure window after the trace is
// closed. An abandoned request gives the line the library recognises, in either
// language.
TEST_F(RestoreEngine, FailuresEndInTheFailureWindow) {
  const struct {
    const char* name;
    bool french;
    std::string request;  // empty: abandoned
    std::string expected_line_start;
    std::string expected_in_text;
    std::vector<std::string> restored;
  } cases[] = {
      {"abandoned", false, "", "IOError: [Errno 2] No such file", "decryptlist.txt", {}},
      {"abandoned, French", true, "", "IOError: [Errno 2] No such file", "decryptlist.txt", {}},
      {"missing entry", false, StandardRequest({backup_ + "\\Gone\\", backup_ + "\\Data\\one.txt"}), "", "Gone", {"one.txt"}},
      {"not a request", false, "destination=x\r\n" + backup_ + "\\Data\\\r\n", "", "DecryptList.txt", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RemoveCatalog();
    if (c.french) InstallCatalog();
    DeleteFileW(ToWide(program_ + "\\DecryptList.txt").c_str());
    Request(c.request);
    const DWORD code = RunEngine(c.request.empty() ? std::map<std::wstring, std::string>{} : Env());
    EXPECT_EQ(code, 1u);
    ASSERT_GE(calls_.size(), 2u);
    EXPECT_EQ(calls_[calls_.size() - 2].name, "CloseTrace") << Names(calls_);
    ASSERT_EQ(calls_.back().name, "DisplayBadResult") << Names(calls_);
    const std::string text = calls_.back().Arg(2);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    bool line_found = c.expected_line_start.empty();
    for (size_t start = 0; start < text.size();) {
      const size_t end = text.find('\n', start);
      const std::string line = text.substr(start, end - start);
      if (!c.expected_line_start.empty() && StartsWith(line, c.expected_line_start) &&
          line.find(c.expected_in_text) != std::string::npos) {
        line_found = true;
      }
      start = end + 1;
    }
    EXPECT_TRUE(line_found) << text;
    EXPECT_NE(text.find(c.expected_in_text), std::string::npos) << text;
    const auto records = Named(calls_, "RecordFilenames");
    ASSERT_EQ(records.size(), c.restored.size());
    for (size_t r = 0; r < records.size(); ++r) {
      EXPECT_EQ(records[r].Arg(1), restored_ + "\\" + c.restored[r]);
      EXPECT_TRUE(FileExists(restored_ + "\\" + c.restored[r]));
    }
  }
}

// A library without the restore exports: the engine says which are missing and ends.
TEST_F(RestoreEngine, LibraryWithoutItsExportsIsNamed) {
  ASSERT_TRUE(CopyFileTo(BinFolder() + "\\fakes\\Vaultrine.dll", program_ + "\\RestoreVaultrine.dll"));
  BoxSeen box;
  EXPECT_EQ(RunEngine({}, [&](DWORD pid) { box = BoxAnswerer(L"Revivalis 1.92", IDOK, 20000, pid).Join(); }), 2u);
  ASSERT_TRUE(box.found);
  for (const char* name : {"RestoreVaultrine.dll", "AskFilesToRestore", "DisplayTrace", "CloseTrace",
                           "GaugeRestoreStandardFiles"}) {
    EXPECT_NE(box.text.find(name), std::string::npos) << name << " in " << box.text;
  }
  EXPECT_EQ(box.text.find("RecordFilenames"), std::string::npos) << "present exports are not named";
  EXPECT_TRUE(Named(calls_, "AskFilesToRestore").empty());
}

}  // namespace
}  // namespace vaultrine::uitest
