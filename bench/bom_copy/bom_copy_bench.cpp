// Times the byte-order-mark copy (the backup library's time-preserving copy of the
// details archive, empty mode) against `cp --preserve=timestamps` on the same file,
// in the same run, alternately, each a fresh process. The disk is synced before
// every run so that one run's write-back never lands in the next one's time.
//
//   bom_copy_bench [--megabytes M[,M...]] [--repeat R] [--work DIR] [--cp PATH]
//                  [--markdown FILE]
//
// Exits non-zero when a run fails or a copy differs from its source.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "bench/support/bench_support.h"
#include "common/bom_copy.h"
#include "common/file_io.h"

namespace {

namespace fs = std::filesystem;

// Text shaped like the details archive's source: file-list lines, then gzip-like noise.
bool MakeSource(const std::string& path, uintmax_t bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::mt19937_64 rng(7);
  std::string block;
  block.reserve(1 << 20);
  uintmax_t written = 0;
  for (long i = 0; written < bytes; ++i) {
    block.clear();
    while (block.size() < (1u << 20)) {
      block += "Nouveau: C:\\Users\\jdupont\\Documents\\rapport ";
      block += std::to_string(rng() % 100000);
      block += ".odt\r\n";
    }
    const size_t n = static_cast<size_t>(std::min<uintmax_t>(block.size(), bytes - written));
    out.write(block.data(), static_cast<std::streamsize>(n));
    written += n;
  }
  return static_cast<bool>(out);
}

bool SameBytes(const std::string& a, const std::string& b) {
  std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
  std::vector<char> p(1 << 20), q(1 << 20);
  for (;;) {
    x.read(p.data(), static_cast<std::streamsize>(p.size()));
    y.read(q.data(), static_cast<std::streamsize>(q.size()));
    if (x.gcount() != y.gcount()) return false;
    if (std::memcmp(p.data(), q.data(), static_cast<size_t>(x.gcount())) != 0) return false;
    if (x.gcount() == 0) return true;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--run-copy")
    return vaultrine::CopyWithByteOrderMark(argv[2], argv[3], "") == vaultrine::kBomCopyOk ? 0 : 1;

  std::vector<long> sizes = {10, 100, 1000};
  int repeat = 5;
  fs::path work = fs::temp_directory_path() / "vaultrine-bom-copy-bench";
  std::string cp = "/bin/cp";
  std::string markdown;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i], val = argv[i + 1];
    if (opt == "--megabytes") sizes = bench::ParseList(val);
    else if (opt == "--repeat") repeat = std::max(1, std::stoi(val));
    else if (opt == "--work") work = val;
    else if (opt == "--cp") cp = val;
    else if (opt == "--markdown") markdown = val;
    else {
      std::cerr << "unknown option " << opt << "\n";
      return 2;
    }
  }
  fs::create_directories(work);
  const std::string self = fs::canonical("/proc/self/exe").string();
  const std::string source = (work / "source.bin").string();
  const std::string ours_out = (work / "ours.bin").string();
  const std::string cp_out = (work / "cp.bin").string();

  bench::Fragment out(markdown);
  out.Line("## Byte-order-mark copy vs cp");
  out.Line("");
  out.Line(bench::Format(
      "`CopyWithByteOrderMark` in its plain mode (how the backup library places the details "
      "archive: a copy that keeps the source's modification time) against `%s "
      "--preserve=timestamps`, the system's own time-preserving copy, on the same source file in "
      "a folder on the build disk; the page cache holds the source, and the disk is synced "
      "before every run. Both copies are checked against the source. Medians of %d alternating "
      "runs, each a fresh process.",
      cp.c_str(), repeat));
  out.Line("");
  out.Header({"size", "copy s", "cp s", "ratio", "copy CPU s", "cp CPU s", "CPU ratio", "copy MB/s"},
             {true, true, true, true, true, true, true, true});
  bool all_ok = true;
  for (long mb : sizes) {
    const uintmax_t bytes = static_cast<uintmax_t>(mb) * 1000 * 1000;
    if (!MakeSource(source, bytes)) {
      std::fprintf(stderr, "could not write %s\n", source.c_str());
      return 1;
    }
    bench::Sample ours, theirs;
    for (int r = 0; r < repeat; ++r) {
      fs::remove(ours_out);
      fs::remove(cp_out);
      sync();
      const bench::Run a = bench::Spawn({self, "--run-copy", source, ours_out});
      sync();
      const bench::Run b = bench::Spawn({cp, "--preserve=timestamps", source, cp_out});
      if (!a.ok || !b.ok) {
        std::fprintf(stderr, "run failed (copy %d, cp %d)\n", a.ok, b.ok);
        return 1;
      }
      ours.Add(a);
      theirs.Add(b);
    }
    const bool same = SameBytes(source, ours_out) && SameBytes(source, cp_out) &&
                      vaultrine::FileModificationTime(ours_out) == vaultrine::FileModificationTime(source);
    all_ok = all_ok && same;
    out.Row({std::to_string(mb) + " MB" + (same ? "" : " COPY DIFFERS"), bench::Format("%.3f", ours.MedianWall()),
             bench::Format("%.3f", theirs.MedianWall()),
             bench::Format("%.2f", ours.MedianWall() / theirs.MedianWall()),
             bench::Format("%.3f", ours.MedianCpu()), bench::Format("%.3f", theirs.MedianCpu()),
             bench::Format("%.2f", ours.MedianCpu() / theirs.MedianCpu()),
             bench::Format("%.0f", static_cast<double>(bytes) / 1e6 / ours.MedianWall())});
  }
  fs::remove(source);
  fs::remove(ours_out);
  fs::remove(cp_out);
  out.Line("");
  if (!all_ok || !out.Save()) return 1;
  return 0;
}
