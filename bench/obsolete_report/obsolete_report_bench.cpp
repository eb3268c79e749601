// Times the obsolete-files report against the sqlite3 shell running the same query
// into a file, on the same database in the same run. Both run as fresh processes,
// alternately, so start-up, page cache and peak memory are measured alike.
//
//   obsolete_report_bench [--rows N[,N...]] [--repeat R] [--work DIR] [--sqlite3 PATH]
//                         [--markdown FILE]
//
// Exits non-zero when the two outputs differ or a run fails.
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "bench/support/bench_support.h"
#include "common/obsolete_report.h"

namespace {

namespace fs = std::filesystem;

std::string Query(int64_t now) {
  return "SELECT destpath,((" + std::to_string(now) +
         " - otime) / 86400) as days FROM dest WHERE isobsolete > 0  order by otime DESC;";
}

// dest with `rows` rows, half of them obsolete, otime spread over three years,
// paths shaped like a backup destination (60 to 160 characters).
bool BuildDatabase(const std::string& path, long rows, int64_t now) {
  fs::remove(path);
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return false;
  sqlite3_exec(db,
               "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;"
               "CREATE TABLE dest (destpath TEXT, otime INTEGER, isobsolete INTEGER, task TEXT,"
               " size INTEGER, md5 TEXT);",
               nullptr, nullptr, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO dest VALUES (?1, ?2, ?3, ?4, ?5, ?6);", -1, &st, nullptr);
  std::mt19937_64 rng(20240601);
  const char* roots[] = {"E:/Vaultrine/Backup/C/Users/jdupont/Documents/",
                         "E:/Vaultrine/Backup/D/Projets/Clients/Archives 2019/",
                         "E:/Vaultrine/Backup/C/Users/jdupont/Pictures/Vacances/",
                         "E:/Vaultrine/Backup/D/Comptabilite/Exercices/"};
  const char* words[] = {"rapport", "facture", "photo", "budget", "contrat", "notes",
                         "presentation", "annexe", "brouillon", "version finale"};
  const char* extensions[] = {".docx", ".pdf", ".jpg", ".xlsx", ".txt", ".odt"};
  std::uniform_int_distribution<int64_t> age(-3 * 86400, 3 * 365 * 86400);
  std::string p;
  for (long i = 0; i < rows; ++i) {
    p = roots[rng() % 4];
    const int depth = 1 + static_cast<int>(rng() % 4);
    for (int d = 0; d < depth; ++d) {
      p += words[rng() % 10];
      p += ' ';
      p += std::to_string(rng() % 1000);
      p += '/';
    }
    p += words[rng() % 10];
    p += '_';
    p += std::to_string(i);
    p += extensions[rng() % 6];
    sqlite3_bind_text(st, 1, p.data(), static_cast<int>(p.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(st, 2, now - age(rng));
    sqlite3_bind_int(st, 3, (i % 2) == 0 ? 1 : 0);
    sqlite3_bind_text(st, 4, "C:\\Vaultrine\\Vaultrine.ini-1", -1, SQLITE_STATIC);
    sqlite3_bind_int64(st, 5, static_cast<int64_t>(rng() % 50000000));
    sqlite3_bind_text(st, 6, "d41d8cd98f00b204e9800998ecf8427e", -1, SQLITE_STATIC);
    if (sqlite3_step(st) != SQLITE_DONE) return false;
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
  const bool ok = sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

// The shell's "path<TAB>days\n" lines rewritten the report's way, "days<TAB>path\r\n".
std::string ShellAsReport(const std::string& shell) {
  std::string out;
  out.reserve(shell.size() + shell.size() / 16);
  size_t pos = 0;
  while (pos < shell.size()) {
    size_t end = shell.find('\n', pos);
    if (end == std::string::npos) end = shell.size();
    const size_t tab = shell.rfind('\t', end);
    if (tab == std::string::npos || tab < pos) return "<malformed shell line>";
    std::string path = shell.substr(pos, tab - pos);
    std::replace(path.begin(), path.end(), '/', '\\');
    out.append(shell, tab + 1, end - tab - 1).append("\t").append(path).append("\r\n");
    pos = end + 1;
  }
  return out;
}

class StderrSink : public vaultrine::MessageSink {
 public:
  void Show(const vaultrine::UserMessage& box) override {
    std::fprintf(stderr, "%s: %s\n", box.caption.c_str(), box.text.c_str());
  }
};

int RunReport(const char* database, const char* report, const char* now) {
  StderrSink sink;
  const auto outcome = vaultrine::WriteObsoleteReport(
      vaultrine::LauncherReportVariant(vaultrine::Language::kEnglish, report), database,
      std::strtoll(now, nullptr, 10), sink);
  return outcome == vaultrine::ReportOutcome::kWritten ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--run-report") return RunReport(argv[2], argv[3], argv[4]);

  std::vector<long> row_counts = {10000, 100000, 1000000};
  int repeat = 7;
  fs::path work = fs::temp_directory_path() / "vaultrine-obsolete-bench";
  std::string shell = "/usr/bin/sqlite3";
  std::string markdown;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i], val = argv[i + 1];
    if (opt == "--rows") {
      row_counts = bench::ParseList(val);
    } else if (opt == "--repeat") {
      repeat = std::max(1, std::stoi(val));
    } else if (opt == "--work") {
      work = val;
    } else if (opt == "--sqlite3") {
      shell = val;
    } else if (opt == "--markdown") {
      markdown = val;
    } else {
      std::cerr << "unknown option " << opt << "\n";
      return 2;
    }
  }
  fs::create_directories(work);
  const std::string self = fs::canonical("/proc/self/exe").string();
  const int64_t now = vaultrine::CurrentUnixTime();
  const std::string heading = "\xEF\xBB\xBF" "Days \tObsolete files    \r\n=====\t==================\r\n\r\n";

  bench::Fragment out(markdown);
  out.Line("## Obsolete-files report vs the sqlite3 shell");
  out.Line("");
  out.Line(bench::Format(
      "The launcher's report (`WriteObsoleteReport`) against `%s -tabs -readonly DB QUERY > FILE` "
      "running the report's own query on the same generated `dest` table (half the rows obsolete, "
      "paths of 60 to 160 characters), SQLite %s. The shell is the natural reference: the same "
      "engine, the same query, the plainest way to put the rows in a file. Both outputs are "
      "checked to hold the same rows. Medians of %d alternating runs, each a fresh process.",
      shell.c_str(), sqlite3_libversion(), repeat));
  out.Line("");
  out.Header({"rows", "report s", "shell s", "ratio", "report CPU s", "shell CPU s", "CPU ratio",
              "report peak KiB", "shell peak KiB"},
             {true, true, true, true, true, true, true, true, true});
  bool all_ok = true;
  for (long rows : row_counts) {
    const std::string db = (work / ("dest-" + std::to_string(rows) + ".sqlite")).string();
    const std::string report = (work / "Lapsarium_FileList.txt").string();
    const std::string tsv = (work / "shell.tsv").string();
    if (!BuildDatabase(db, rows, now)) {
      std::fprintf(stderr, "could not build %s\n", db.c_str());
      return 1;
    }
    bench::Sample ours, theirs;
    for (int r = 0; r < repeat; ++r) {
      const bench::Run a = bench::Spawn({self, "--run-report", db, report, std::to_string(now)});
      const bench::Run b = bench::Spawn({shell, "-tabs", "-readonly", db, Query(now)}, tsv);
      if (!a.ok || !b.ok) {
        std::fprintf(stderr, "run failed (report %d, shell %d)\n", a.ok, b.ok);
        return 1;
      }
      ours.Add(a);
      theirs.Add(b);
    }
    const bool same = bench::ReadAll(report) == heading + ShellAsReport(bench::ReadAll(tsv));
    all_ok = all_ok && same;
    out.Row({std::to_string(rows) + (same ? "" : " OUTPUTS DIFFER"), bench::Format("%.3f", ours.MedianWall()),
             bench::Format("%.3f", theirs.MedianWall()),
             bench::Format("%.2f", ours.MedianWall() / theirs.MedianWall()),
             bench::Format("%.3f", ours.MedianCpu()), bench::Format("%.3f", theirs.MedianCpu()),
             bench::Format("%.2f", ours.MedianCpu() / theirs.MedianCpu()),
             std::to_string(ours.max_rss_kib), std::to_string(theirs.max_rss_kib)});
    fs::remove(db);
    fs::remove(report);
    fs::remove(tsv);
  }
  out.Line("");
  if (!all_ok || !out.Save()) return 1;
  return 0;
}
