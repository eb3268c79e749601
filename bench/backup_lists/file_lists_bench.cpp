// Records N file records through the library's list writer, and writes the same
// bytes with a plain C loop (one write() per line), in the same run. Both flush
// every line to the system, as a list that must survive a killed engine has to.
//
//   file_lists_bench [--records N[,N...]] [--repeat R] [--work DIR]
//
// Prints the time ratios and the writer's peak memory per size; exits non-zero
// when the two files differ or a run fails.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "backup_support/file_lists.h"
#include "bench_support.h"

namespace {

namespace fs = std::filesystem;

int RunWriter(const std::string& folder, long records) {
  vaultrine::backup::FileLists lists(folder);
  std::string label, text;
  for (long i = 0; i < records; ++i) {
    bench::MakeRecord(i, label, text);
    lists.Record(label, text);
  }
  lists.Close();
  return 0;
}

int RunPlain(const std::string& path, long records) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return 1;
  if (write(fd, "\xEF\xBB\xBF", 3) != 3) return 1;
  std::string label, text;
  char line[4096];
  for (long i = 0; i < records; ++i) {
    bench::MakeRecord(i, label, text);
    size_t n = 0;
    std::memcpy(line, label.data(), label.size());
    n += label.size();
    line[n++] = ':';
    line[n++] = ' ';
    std::memcpy(line + n, text.data(), text.size());
    for (size_t k = n; k < n + text.size(); ++k) {
      if (line[k] == '/') line[k] = '\\';
    }
    n += text.size();
    line[n++] = '\r';
    line[n++] = '\n';
    if (write(fd, line, n) != static_cast<ssize_t>(n)) return 1;
  }
  return close(fd) == 0 ? 0 : 1;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--run-writer") return RunWriter(argv[2], std::atol(argv[3]));
  if (argc == 4 && std::string(argv[1]) == "--run-plain") return RunPlain(argv[2], std::atol(argv[3]));

  std::vector<long> sizes = {100000, 1000000};
  int repeat = 5;
  fs::path work = fs::temp_directory_path() / "vaultrine-file-lists-bench";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i], val = argv[i + 1];
    if (opt == "--records") {
      sizes.clear();
      std::stringstream ss(val);
      for (std::string n; std::getline(ss, n, ',');) sizes.push_back(std::stol(n));
    } else if (opt == "--repeat") {
      repeat = std::max(1, std::stoi(val));
    } else if (opt == "--work") {
      work = val;
    } else {
      std::cerr << "unknown option " << opt << "\n";
      return 2;
    }
  }
  fs::create_directories(work);
  const std::string self = fs::canonical("/proc/self/exe").string();
  const std::string ours = (work / vaultrine::backup::kFileListName).string();
  const std::string plain = (work / "plain.txt").string();

  std::printf("file list writer vs a plain C loop with one write() per line\n"
              "%d alternating runs each; medians of wall and CPU (user+system) seconds; peak RSS\n",
              repeat);
  std::printf("%9s %9s %9s %7s %9s %9s %7s %11s %11s\n", "records", "writer", "plain", "ratio", "wr. CPU",
              "pl. CPU", "ratio", "writer KiB", "plain KiB");
  bool all_ok = true;
  for (long n : sizes) {
    std::vector<double> a_wall, b_wall, a_cpu, b_cpu;
    long a_rss = 0, b_rss = 0;
    for (int r = 0; r < repeat; ++r) {
      const bench::Run a = bench::Spawn({self, "--run-writer", work.string(), std::to_string(n)});
      const bench::Run b = bench::Spawn({self, "--run-plain", plain, std::to_string(n)});
      if (!a.ok || !b.ok) {
        std::fprintf(stderr, "run failed (writer %d, plain %d)\n", a.ok, b.ok);
        return 1;
      }
      a_wall.push_back(a.seconds);
      b_wall.push_back(b.seconds);
      a_cpu.push_back(a.cpu_seconds);
      b_cpu.push_back(b.cpu_seconds);
      a_rss = std::max(a_rss, a.max_rss_kib);
      b_rss = std::max(b_rss, b.max_rss_kib);
    }
    const bool same = ReadAll(ours) == ReadAll(plain);
    all_ok = all_ok && same;
    std::printf("%9ld %9.3f %9.3f %7.3f %9.3f %9.3f %7.3f %11ld %11ld%s\n", n, bench::Median(a_wall),
                bench::Median(b_wall), bench::Median(a_wall) / bench::Median(b_wall), bench::Median(a_cpu),
                bench::Median(b_cpu), bench::Median(a_cpu) / bench::Median(b_cpu), a_rss, b_rss,
                same ? "" : "  OUTPUTS DIFFER");
  }
  fs::remove(ours);
  fs::remove(plain);
  return all_ok ? 0 : 1;
}
