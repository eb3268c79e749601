// What every benchmark shares: each side runs as a fresh child process, the two
// alternately, so start-up, page cache and peak memory count alike for both; the
// medians go into a Markdown fragment that `make bench` gathers into bench/README.md.
#pragma once
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "bench/support/report_fragment.h"

namespace bench {

struct Run {
  double seconds = 0;
  double cpu_seconds = 0;  // user + system: what the run cost, whatever else the machine does
  long max_rss_kib = 0;
  bool ok = false;
};

// Runs argv as a child with stdout sent to `stdout_path` (or left alone when empty).
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

// Medians of one side's runs.
struct Sample {
  std::vector<double> wall, cpu;
  long max_rss_kib = 0;
  void Add(const Run& r) {
    wall.push_back(r.seconds);
    cpu.push_back(r.cpu_seconds);
    max_rss_kib = std::max(max_rss_kib, r.max_rss_kib);
  }
  double MedianWall() const { return Median(wall); }
  double MedianCpu() const { return Median(cpu); }
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::vector<long> ParseList(const std::string& text) {
  std::vector<long> out;
  std::stringstream ss(text);
  for (std::string n; std::getline(ss, n, ',');) out.push_back(std::stol(n));
  return out;
}

}  // namespace bench
