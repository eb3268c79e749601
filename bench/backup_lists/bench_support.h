// Child-process timing shared by the backup-library benchmarks: each side runs as a
// fresh process, alternately, so start-up, page cache and peak memory count alike.
#pragma once
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace bench {

struct Run {
  double seconds = 0;
  double cpu_seconds = 0;  // user + system
  long max_rss_kib = 0;
  bool ok = false;
};

// Runs argv with stdout sent to `stdout_path` (or left alone when empty).
inline Run Spawn(const std::vector<std::string>& argv, const std::string& stdout_path = "") {
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

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Record `i` of a generated run, shaped like what the engine reports.
inline void MakeRecord(long i, std::string& label, std::string& text) {
  static const char* const kLabels[] = {"Nouveau", "Modifi\xC3\xA9", "Compress\xC3\xA9", "Crypt\xC3\xA9"};
  static const char* const kRoots[] = {"C:/Users/jdupont/Documents/", "D:/Projets/Clients/Archives 2019/",
                                       "C:/Users/jdupont/Pictures/Vacances/", "D:/Comptabilite/Exercices/"};
  static const char* const kWords[] = {"rapport", "facture", "photo", "budget", "contrat", "notes"};
  label = kLabels[i % 4];
  text = kRoots[(i / 4) % 4];
  for (long d = 0, x = i; d < 1 + i % 3; ++d, x /= 6) {
    text += kWords[x % 6];
    text += ' ';
    text += std::to_string((i * 7919 + d) % 1000);
    text += '/';
  }
  text += "fichier_";
  text += std::to_string(i);
  text += ".odt";
}

}  // namespace bench
