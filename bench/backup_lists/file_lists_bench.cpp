// Records N file records through the library's list writer, and writes the same
// bytes with a plain C loop (one write() per line), in the same run. Both flush
// every line to the system, as a list that must survive a killed engine has to.
//
//   file_lists_bench [--records N[,N...]] [--repeat R] [--work DIR] [--markdown FILE]
//
// Writes the report section with the time ratios and records per second; exits
// non-zero when the two files differ or a run fails.
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

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--run-writer") return RunWriter(argv[2], std::atol(argv[3]));
  if (argc == 4 && std::string(argv[1]) == "--run-plain") return RunPlain(argv[2], std::atol(argv[3]));

  std::vector<long> sizes = {10000, 100000, 1000000};
  int repeat = 5;
  fs::path work = fs::temp_directory_path() / "vaultrine-file-lists-bench";
  std::string markdown;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i], val = argv[i + 1];
    if (opt == "--records") {
      sizes = bench::ParseList(val);
    } else if (opt == "--repeat") {
      repeat = std::max(1, std::stoi(val));
    } else if (opt == "--work") {
      work = val;
    } else if (opt == "--markdown") {
      markdown = val;
    } else {
      std::cerr << "unknown option " << opt << "\n";
      return 2;
    }
  }
  fs::create_directories(work);
  const std::string self = fs::canonical("/proc/self/exe").string();
  const std::string ours = (work / vaultrine::backup::kFileListName).string();
  const std::string plain = (work / "plain.txt").string();

  bench::Fragment out(markdown);
  out.Line("## RecordFilenames records per second");
  out.Line("");
  out.Line(bench::Format(
      "The file-list writer behind `RecordFilenames` (one line per saved file, `/` turned into "
      "`\\`, every line handed to the system at once so that a killed engine loses nothing) "
      "against a plain C loop that writes the same bytes with one `write()` per line, the least "
      "a writer with that promise can do. Both files are checked to be equal. Medians of %d "
      "alternating runs, each a fresh process, in a folder on the build disk.",
      repeat));
  out.Line("");
  out.Header({"records", "writer s", "plain s", "ratio", "writer CPU s", "plain CPU s", "CPU ratio",
              "writer records/s", "writer peak KiB"},
             {true, true, true, true, true, true, true, true, true});
  bool all_ok = true;
  for (long n : sizes) {
    bench::Sample a_sample, b_sample;
    for (int r = 0; r < repeat; ++r) {
      const bench::Run a = bench::Spawn({self, "--run-writer", work.string(), std::to_string(n)});
      const bench::Run b = bench::Spawn({self, "--run-plain", plain, std::to_string(n)});
      if (!a.ok || !b.ok) {
        std::fprintf(stderr, "run failed (writer %d, plain %d)\n", a.ok, b.ok);
        return 1;
      }
      a_sample.Add(a);
      b_sample.Add(b);
    }
    const bool same = bench::ReadAll(ours) == bench::ReadAll(plain);
    all_ok = all_ok && same;
    out.Row({std::to_string(n) + (same ? "" : " OUTPUTS DIFFER"), bench::Format("%.3f", a_sample.MedianWall()),
             bench::Format("%.3f", b_sample.MedianWall()),
             bench::Format("%.2f", a_sample.MedianWall() / b_sample.MedianWall()),
             bench::Format("%.3f", a_sample.MedianCpu()), bench::Format("%.3f", b_sample.MedianCpu()),
             bench::Format("%.2f", a_sample.MedianCpu() / b_sample.MedianCpu()),
             bench::Format("%.0f", static_cast<double>(n) / a_sample.MedianWall()),
             std::to_string(a_sample.max_rss_kib)});
  }
  fs::remove(ours);
  fs::remove(plain);
  out.Line("");
  if (!all_ok || !out.Save()) return 1;
  return 0;
}
