// Times the editor's round trip of a parameter file (working copy, conversion to the
// internal file, and the save that writes the file again and keeps ".OLD") against
// the same text work done by an awk program (roundtrip.awk), on a full file, in the
// same run, alternately, each a fresh process. The file is one the editor wrote, so
// both must give it back byte for byte.
//
//   parameter_file_bench [--entries N[,N...]] [--repeat R] [--work DIR] [--awk PATH]
//                        [--script roundtrip.awk] [--markdown FILE]
//
// Exits non-zero when a run fails or a result differs from the file it started from.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bench/support/bench_support.h"
#include "common/file_io.h"
#include "config_editor/core/parameter_file.h"

namespace {

namespace fs = std::filesystem;
using namespace vaultrine::config;

// A parameter file as the editor writes it, with `n` entries in every list.
std::string FullFile(int n) {
  std::string f = "\xEF\xBB\xBF[general]\r\nov_obsolete=1\r\nobsolete=90d\r\ncryptkey=s\xC3\xA9same\r\n"
                  "summary=\"C:\\Users\\Public\\Documents\"\r\ndatabase=Vaultrine.sqlite\r\n";
  auto list = [&](const char* section, auto entry) {
    f += "\r\n[" + std::string(section) + "]\r\n";
    for (int i = 0; i < n; ++i) f += entry(i) + "\r\n";
  };
  list("include", [](int i) { return "\"C:\\Users\\jdupont\\Documents\\Projets " + std::to_string(i) + "\\\""; });
  f += "\r\n[destination]\r\n\"E:\\Vaultrine\" ,name=DISQUE1 , search\r\n";
  list("exclude", [](int i) { return std::string(i % 2 ? "no" : "yes") + " => (path=\"*\\Temp " + std::to_string(i) + "\\*\")"; });
  list("md5_compare", [](int i) { return i % 3 ? "md5 => (path=\"*.pst" + std::to_string(i) + "\")" : "md5 => (size>" + std::to_string(500 + i) + ")"; });
  list("old_versions", [](int i) { return "keep => (path=\"*.doc" + std::to_string(i) + "\", versions=3)"; });
  list("compress", [](int i) { return "gzip => (path=\"D:\\Donn\xC3\xA9" "es\\Archives " + std::to_string(i) + "\\*\")"; });
  list("crypt", [](int i) { return "bf => (path=\"C:\\Secret\\Dossier " + std::to_string(i) + "\\*\")"; });
  list("crypt_path", [](int i) { return "#bf => (path=\"*.key" + std::to_string(i) + "\")"; });
  list("restore", [](int i) { return "C:\\Restauration " + std::to_string(i); });
  f += "\r\n# eof\r\n";
  return f;
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

int RunRoundTrip(const std::string& path) {
  vaultrine::RecordingSink sink;
  std::string chosen = path;
  if (!MakeWorkingCopy(path, path)) return 1;
  if (ConvertToInternal(chosen, sink) != kConverted) return 1;
  return WriteParameterFile(path, sink) == kWritten ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--run-roundtrip") return RunRoundTrip(argv[2]);

  std::vector<long> counts = {10, 50, 100};
  int repeat = 21;
  fs::path work = fs::temp_directory_path() / "vaultrine-parameter-bench";
  std::string awk = "/usr/bin/awk";
  std::string script = VAULTRINE_ROUNDTRIP_AWK;
  std::string markdown;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i], val = argv[i + 1];
    if (opt == "--entries") counts = bench::ParseList(val);
    else if (opt == "--repeat") repeat = std::max(1, std::stoi(val));
    else if (opt == "--work") work = val;
    else if (opt == "--awk") awk = val;
    else if (opt == "--script") script = val;
    else if (opt == "--markdown") markdown = val;
    else {
      std::cerr << "unknown option " << opt << "\n";
      return 2;
    }
  }
  fs::create_directories(work);
  const std::string self = fs::canonical("/proc/self/exe").string();
  const std::string ours = (work / "Vaultrine.ini").string();
  const std::string theirs = (work / "awk.ini").string();

  bench::Fragment out(markdown);
  out.Line("## Parameter-file round trip vs awk");
  out.Line("");
  out.Line(bench::Format(
      "One editor session on a parameter file: the working copy without the mark, the "
      "conversion to the internal file (`ConvertToInternal`) and the save (`WriteParameterFile`: "
      "the file written again, pushed to disk, swapped in with the previous one kept as \".OLD\"). "
      "The reference is `%s` running `bench/parameter_file/roundtrip.awk`, which does the same "
      "text work (working copy, profile-form internal file, the file composed back from it) "
      "without the disk flushes: a lean standard text tool, so the ratio shows what our "
      "file handling costs on top of the text work itself. The file is one the editor wrote, "
      "with every list holding the number of entries shown (100 is the most a save keeps); "
      "both results must equal it byte for byte. Medians of %d alternating runs, each a fresh "
      "process, in a folder on the build disk.",
      awk.c_str(), repeat));
  out.Line("");
  out.Header({"entries per list", "file bytes", "editor ms", "awk ms", "ratio", "editor CPU ms",
              "awk CPU ms", "CPU ratio"},
             {true, true, true, true, true, true, true, true});
  bool all_ok = true;
  for (long n : counts) {
    const std::string file = FullFile(static_cast<int>(n));
    bench::Sample a_sample, b_sample;
    const std::string working = WorkingCopyName(ours);
    for (int r = 0; r < repeat; ++r) {
      Write(ours, file);
      fs::remove(BackupCopyName(ours));
      fs::remove(working);
      fs::remove(InternalFileName(working));
      Write(theirs, file);
      const bench::Run a = bench::Spawn({self, "--run-roundtrip", ours});
      const bench::Run b = bench::Spawn({awk, "-f", script, theirs, theirs + ".@@@",
                                         (work / "ZZZ_awk.ini.@@@.tmp").string(), theirs + ".new"});
      if (!a.ok || !b.ok) {
        std::fprintf(stderr, "run failed (editor %d, awk %d)\n", a.ok, b.ok);
        return 1;
      }
      a_sample.Add(a);
      b_sample.Add(b);
    }
    const bool same = bench::ReadAll(ours) == file && bench::ReadAll(BackupCopyName(ours)) == file &&
                      bench::ReadAll(theirs + ".new") == file;
    all_ok = all_ok && same;
    out.Row({std::to_string(n) + (same ? "" : " RESULT DIFFERS"), std::to_string(file.size()),
             bench::Format("%.2f", a_sample.MedianWall() * 1e3), bench::Format("%.2f", b_sample.MedianWall() * 1e3),
             bench::Format("%.2f", a_sample.MedianWall() / b_sample.MedianWall()),
             bench::Format("%.2f", a_sample.MedianCpu() * 1e3), bench::Format("%.2f", b_sample.MedianCpu() * 1e3),
             bench::Format("%.2f", a_sample.MedianCpu() / b_sample.MedianCpu())});
  }
  out.Line("");
  if (!all_ok || !out.Save()) return 1;
  return 0;
}
