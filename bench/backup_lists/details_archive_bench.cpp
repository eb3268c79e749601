// Compresses a generated file list with the library's archive routine (zlib "wb",
// 15,360-byte reads, then the header rewrite through a temporary copy) and with
// `gzip -6 -c` on the same file, in the same run, alternately, each as a fresh process.
//
//   details_archive_bench [--megabytes M] [--repeat R] [--work DIR] [--gzip PATH]
//
// Exits non-zero when a run fails or the archive does not give the list back.
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "backup_support/details_archive.h"
#include "backup_support/file_lists.h"
#include "bench_support.h"

namespace {

namespace fs = std::filesystem;

class StderrSink : public vaultrine::MessageSink {
 public:
  void Show(const vaultrine::UserMessage& box) override {
    std::fprintf(stderr, "%s: %s\n", box.caption.c_str(), box.text.c_str());
  }
};

int RunCompress(const char* path) {
  StderrSink sink;
  std::string p = path;
  return vaultrine::backup::GzCompress(p, sink) == 0 ? 0 : 1;
}

// The list through the library's own writer, up to `bytes`.
bool MakeList(const fs::path& folder, uintmax_t bytes) {
  vaultrine::backup::FileLists lists(folder.string());
  std::string label, text;
  uintmax_t written = 3;
  for (long i = 0; written < bytes; ++i) {
    bench::MakeRecord(i, label, text);
    lists.Record(label, text);
    written += label.size() + text.size() + 4;
  }
  lists.Close();
  return fs::file_size(folder / vaultrine::backup::kFileListName) >= bytes;
}

// True when the archive inflates to exactly the list's bytes.
bool SameAsList(const std::string& archive, const std::string& list) {
  gzFile in = gzopen(archive.c_str(), "rb");
  std::ifstream plain(list, std::ios::binary);
  if (!in || !plain) return false;
  std::vector<char> a(1 << 20), b(1 << 20);
  bool same = true;
  for (;;) {
    const int got = gzread(in, a.data(), static_cast<unsigned>(a.size()));
    plain.read(b.data(), static_cast<std::streamsize>(a.size()));
    if (got < 0 || plain.gcount() != got || std::memcmp(a.data(), b.data(), static_cast<size_t>(got)) != 0) {
      same = false;
      break;
    }
    if (got == 0) break;
  }
  gzclose(in);
  return same;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--run-compress") return RunCompress(argv[2]);

  uintmax_t megabytes = 200;
  int repeat = 3;
  fs::path work = fs::temp_directory_path() / "vaultrine-archive-bench";
  std::string gzip = "/bin/gzip";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i], val = argv[i + 1];
    if (opt == "--megabytes") {
      megabytes = std::stoul(val);
    } else if (opt == "--repeat") {
      repeat = std::max(1, std::stoi(val));
    } else if (opt == "--work") {
      work = val;
    } else if (opt == "--gzip") {
      gzip = val;
    } else {
      std::cerr << "unknown option " << opt << "\n";
      return 2;
    }
  }
  fs::create_directories(work);
  const std::string self = fs::canonical("/proc/self/exe").string();
  const std::string list = (work / vaultrine::backup::kFileListName).string();
  const std::string ours = (work / "Vaultrine_FileList").string();
  const std::string theirs = (work / "by-gzip.gz").string();
  if (!MakeList(work, megabytes * 1000 * 1000)) {
    std::fprintf(stderr, "could not write the list\n");
    return 1;
  }

  std::vector<double> a_wall, b_wall, a_cpu, b_cpu;
  long a_rss = 0, b_rss = 0;
  for (int r = 0; r < repeat; ++r) {
    fs::remove(ours);
    const bench::Run a = bench::Spawn({self, "--run-compress", list});
    const bench::Run b = bench::Spawn({gzip, "-6", "-c", list}, theirs);
    if (!a.ok || !b.ok) {
      std::fprintf(stderr, "run failed (archive %d, gzip %d)\n", a.ok, b.ok);
      return 1;
    }
    a_wall.push_back(a.seconds);
    b_wall.push_back(b.seconds);
    a_cpu.push_back(a.cpu_seconds);
    b_cpu.push_back(b.cpu_seconds);
    a_rss = std::max(a_rss, a.max_rss_kib);
    b_rss = std::max(b_rss, b.max_rss_kib);
  }
  const bool same = SameAsList(ours, list);
  std::printf("details archive (zlib %s) vs %s -6 -c, list of %ju bytes, %d alternating runs each\n",
              zlibVersion(), gzip.c_str(), static_cast<uintmax_t>(fs::file_size(list)), repeat);
  std::printf("%9s %9s %7s %9s %9s %7s %11s %11s %12s %12s\n", "archive", "gzip", "ratio", "ar. CPU", "gz. CPU",
              "ratio", "archive KiB", "gzip KiB", "archive B", "gzip B");
  std::printf("%9.3f %9.3f %7.3f %9.3f %9.3f %7.3f %11ld %11ld %12ju %12ju%s\n", bench::Median(a_wall),
              bench::Median(b_wall), bench::Median(a_wall) / bench::Median(b_wall), bench::Median(a_cpu),
              bench::Median(b_cpu), bench::Median(a_cpu) / bench::Median(b_cpu), a_rss, b_rss,
              static_cast<uintmax_t>(fs::file_size(ours)), static_cast<uintmax_t>(fs::file_size(theirs)),
              same ? "" : "  ARCHIVE DIFFERS FROM THE LIST");
  fs::remove(ours);
  fs::remove(theirs);
  fs::remove(list);
  return same ? 0 : 1;
}
