// Times the obsolete-files report against the sqlite3 shell running the same query
// into a file, on the same database in the same run. Both run as fresh processes,
// alternately, so start-up, page cache and peak memory are measured alike.
//
//   obsolete_report_bench [--rows N[,N...]] [--repeat R] [--work DIR] [--sqlite3 PATH]
//
// Exits non-zero when the two outputs differ or a run fails.
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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

struct Run {
  double seconds = 0;
  double cpu_seconds = 0;  // user + system: what the run cost, whatever else the machine does
  long max_rss_kib = 0;
  bool ok = false;
};

// Runs argv as a child with stdout sent to `stdout_path` (or left alone when empty).
Run Spawn(const std::vector<std::string>& argv, const std::string& stdout_path) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (!stdout_path.empty()) {
      const int fd = open(stdout_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || dup2(fd, 1) < 0) _exit(126);
      close(fd);
    }
    execv(args[0], args.data());
    _exit(127);
  }
  Run run;
  if (pid < 0) return run;
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.max_rss_kib = usage.ru_maxrss;
  run.cpu_seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
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

  std::vector<long> row_counts = {100000, 1000000};
  int repeat = 7;
  fs::path work = fs::temp_directory_path() / "vaultrine-obsolete-bench";
  std::string shell = "/usr/bin/sqlite3";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i], val = argv[i + 1];
    if (opt == "--rows") {
      row_counts.clear();
      std::stringstream ss(val);
      for (std::string n; std::getline(ss, n, ',');) row_counts.push_back(std::stol(n));
    } else if (opt == "--repeat") {
      repeat = std::max(1, std::stoi(val));
    } else if (opt == "--work") {
      work = val;
    } else if (opt == "--sqlite3") {
      shell = val;
    } else {
      std::cerr << "unknown option " << opt << "\n";
      return 2;
    }
  }
  fs::create_directories(work);
  const std::string self = fs::canonical("/proc/self/exe").string();
  const int64_t now = vaultrine::CurrentUnixTime();
  const std::string heading = "\xEF\xBB\xBF" "Days \tObsolete files    \r\n=====\t==================\r\n\r\n";

  std::printf("obsolete-files report vs %s -tabs -readonly DB QUERY > FILE (SQLite %s)\n"
              "%d alternating runs each; medians of wall and CPU (user+system) seconds; peak RSS\n",
              shell.c_str(), sqlite3_libversion(), repeat);
  std::printf("%9s %9s %9s %7s %9s %9s %7s %11s %11s\n", "rows", "report", "shell", "ratio",
              "rep. CPU", "sh. CPU", "ratio", "report KiB", "shell KiB");
  bool all_ok = true;
  std::vector<long> report_rss;
  for (long rows : row_counts) {
    const std::string db = (work / ("dest-" + std::to_string(rows) + ".sqlite")).string();
    const std::string report = (work / "Lapsarium_FileList.txt").string();
    const std::string tsv = (work / "shell.tsv").string();
    if (!BuildDatabase(db, rows, now)) {
      std::fprintf(stderr, "could not build %s\n", db.c_str());
      return 1;
    }
    std::vector<double> ours, theirs, ours_cpu, theirs_cpu;
    long ours_rss = 0, theirs_rss = 0;
    for (int r = 0; r < repeat; ++r) {
      const Run a = Spawn({self, "--run-report", db, report, std::to_string(now)}, "");
      const Run b = Spawn({shell, "-tabs", "-readonly", db, Query(now)}, tsv);
      if (!a.ok || !b.ok) {
        std::fprintf(stderr, "run failed (report %d, shell %d)\n", a.ok, b.ok);
        return 1;
      }
      ours.push_back(a.seconds);
      theirs.push_back(b.seconds);
      ours_cpu.push_back(a.cpu_seconds);
      theirs_cpu.push_back(b.cpu_seconds);
      ours_rss = std::max(ours_rss, a.max_rss_kib);
      theirs_rss = std::max(theirs_rss, b.max_rss_kib);
    }
    const bool same = ReadAll(report) == heading + ShellAsReport(ReadAll(tsv));
    all_ok = all_ok && same;
    report_rss.push_back(ours_rss);
    std::printf("%9ld %9.3f %9.3f %7.3f %9.3f %9.3f %7.3f %11ld %11ld%s\n", rows, Median(ours),
                Median(theirs), Median(ours) / Median(theirs), Median(ours_cpu), Median(theirs_cpu),
                Median(ours_cpu) / Median(theirs_cpu), ours_rss, theirs_rss,
                same ? "" : "  OUTPUTS DIFFER");
    fs::remove(db);
  }
  if (report_rss.size() > 1) {
    std::printf("report peak memory, %ld rows -> %ld rows: %ld KiB -> %ld KiB\n", row_counts.front(),
                row_counts.back(), report_rss.front(), report_rss.back());
  }
  return all_ok ? 0 : 1;
}
