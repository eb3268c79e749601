// Compresses a generated file list with the library's archive routine (zlib's gzip
// wrapper at the default level, 15,360-byte reads, the header in the same pass) and with
// `gzip -6 -c` on the same file, in the same run, alternately, each as a fresh process.
//
//   details_archive_bench [--megabytes M[,M...]] [--repeat R] [--work DIR] [--gzip PATH]
//                         [--markdown FILE]
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

  std::vector<long> sizes = {2, 20, 200};
  int repeat = 3;
  fs::path work = fs::temp_directory_path() / "vaultrine-archive-bench";
  std::string gzip = "/bin/gzip";
  std::string markdown;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i], val = argv[i + 1];
    if (opt == "--megabytes") {
      sizes = bench::ParseList(val);
    } else if (opt == "--repeat") {
      repeat = std::max(1, std::stoi(val));
    } else if (opt == "--work") {
      work = val;
    } else if (opt == "--gzip") {
      gzip = val;
    } else if (opt == "--markdown") {
      markdown = val;
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

  bench::Fragment out(markdown);
  out.Line("## Details archive vs gzip -6");
  out.Line("");
  out.Line(bench::Format(
      "The details archive as OK in the success window makes it (`GzCompress`: zlib %s, its gzip "
      "wrapper at the default level, 15,360-byte reads, the header naming the list written in the "
      "same pass) against `%s "
      "-6 -c` on the same file list written by the library's own writer. The archive is checked "
      "to inflate to exactly the list. Medians of %d alternating runs, each a fresh process, in "
      "a folder on the build disk.",
      zlibVersion(), gzip.c_str(), repeat));
  out.Line("");
  out.Header({"list", "archive s", "gzip s", "ratio", "archive CPU s", "gzip CPU s", "CPU ratio",
              "archive bytes", "gzip bytes"},
             {true, true, true, true, true, true, true, true, true});
  bool all_ok = true;
  for (long megabytes : sizes) {
    if (!MakeList(work, static_cast<uintmax_t>(megabytes) * 1000 * 1000)) {
      std::fprintf(stderr, "could not write the list\n");
      return 1;
    }
    bench::Sample a_sample, b_sample;
    for (int r = 0; r < repeat; ++r) {
      fs::remove(ours);
      const bench::Run a = bench::Spawn({self, "--run-compress", list});
      const bench::Run b = bench::Spawn({gzip, "-6", "-c", list}, theirs);
      if (!a.ok || !b.ok) {
        std::fprintf(stderr, "run failed (archive %d, gzip %d)\n", a.ok, b.ok);
        return 1;
      }
      a_sample.Add(a);
      b_sample.Add(b);
    }
    const bool same = SameAsList(ours, list);
    all_ok = all_ok && same;
    out.Row({std::to_string(fs::file_size(list)) + " B" + (same ? "" : " ARCHIVE DIFFERS FROM THE LIST"),
             bench::Format("%.3f", a_sample.MedianWall()), bench::Format("%.3f", b_sample.MedianWall()),
             bench::Format("%.2f", a_sample.MedianWall() / b_sample.MedianWall()),
             bench::Format("%.3f", a_sample.MedianCpu()), bench::Format("%.3f", b_sample.MedianCpu()),
             bench::Format("%.2f", a_sample.MedianCpu() / b_sample.MedianCpu()),
             std::to_string(fs::file_size(ours)), std::to_string(fs::file_size(theirs))});
    fs::remove(ours);
    fs::remove(theirs);
    fs::remove(list);
  }
  out.Line("");
  if (!all_ok || !out.Save()) return 1;
  return 0;
}
