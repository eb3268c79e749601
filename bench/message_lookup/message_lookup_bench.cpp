// Lookups per second of the message-file lookup (a scan of the section's 3700-byte
// window, as the interface texts are found) against a hashed index of the same
// section (std::unordered_map from key to text), the least any lookup can cost, in
// the same run. The key sits at the start, the middle or the end of a section that
// fills its whole window, or is missing, so the growth with the scanned distance
// shows.
//
//   message_lookup_bench [--markdown FILE] [Google Benchmark options]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/support/bench_support.h"
#include "common/message_file.h"
#include "common/text_encoding.h"

namespace {

namespace fs = std::filesystem;
using vaultrine::MessageFile;

struct Fixture {
  MessageFile messages{vaultrine::kEditorMessageFile};
  std::unordered_map<std::string, std::u16string> index;
  std::vector<std::string> keys;      // first, middle, last, missing
  std::vector<size_t> offsets;        // of each key's entry from the header
  size_t section_bytes = 0;
};

Fixture& TheFixture() {
  static Fixture f = [] {
    Fixture f;
    std::string section = "[MAIN_eng]\r\n";
    std::vector<std::pair<std::string, size_t>> entries;
    for (int i = 0; section.size() < MessageFile::kWindowSize - 80; ++i) {
      const std::string key = "msg_" + std::to_string(i);
      entries.emplace_back(key, section.size());
      const std::string text = "Interface text number " + std::to_string(i) + "@@on two lines";
      section += key + "=" + text + "\r\n";
      std::string shown = text;
      shown.replace(shown.find("@@"), 2, "\r\n");
      f.index.emplace(key, vaultrine::Utf8ToUtf16(shown));
    }
    f.section_bytes = section.size();
    const std::string other = "[MAIN_fra]\r\nmsg_0=Texte\r\n";
    const fs::path folder = fs::temp_directory_path() / "vaultrine-lookup-bench";
    fs::create_directories(folder);
    std::ofstream((folder / "ConfigVaultrine.mes").string(), std::ios::binary) << section << other;
    vaultrine::RecordingSink sink;
    if (!f.messages.LoadMessageFile(folder.string(), sink)) std::abort();
    f.messages.SelectSection("MAIN", "eng");
    fs::remove_all(folder);
    for (size_t at : {size_t{0}, entries.size() / 2, entries.size() - 1}) {
      f.keys.push_back(entries[at].first);
      f.offsets.push_back(entries[at].second);
    }
    f.keys.push_back("not_a_key");
    f.offsets.push_back(f.section_bytes);
    // Both must give the same texts, or the comparison is meaningless.
    for (size_t i = 0; i + 1 < f.keys.size(); ++i)
      if (f.messages.LookUpMessage(f.keys[i]) != f.index.at(f.keys[i])) std::abort();
    return f;
  }();
  return f;
}

void Lookup(benchmark::State& state) {
  Fixture& f = TheFixture();
  const std::string& key = f.keys[static_cast<size_t>(state.range(0))];
  for (auto _ : state) benchmark::DoNotOptimize(f.messages.LookUpMessage(key).size());
  state.SetItemsProcessed(state.iterations());
}

void HashedIndex(benchmark::State& state) {
  Fixture& f = TheFixture();
  const std::string& key = f.keys[static_cast<size_t>(state.range(0))];
  std::u16string text;
  for (auto _ : state) {
    // The same service: the text copied into the caller's buffer, "??" when missing.
    auto it = f.index.find(key);
    text = it == f.index.end() ? u"??" : it->second;
    benchmark::DoNotOptimize(text.size());
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(Lookup)->DenseRange(0, 3)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(HashedIndex)->DenseRange(0, 3)->Repetitions(7)->ReportAggregatesOnly(true);

// Keeps the medians of items per second, by benchmark name and argument.
class MedianCollector : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, std::map<long, double>> rates;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name != "median") continue;
      const auto it = run.counters.find("items_per_second");
      if (it == run.counters.end()) continue;
      const std::string name = run.run_name.function_name;
      const long arg = std::stol(run.run_name.args);
      rates[name][arg] = it->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::string markdown;
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::string(argv[i]) == "--markdown" && i + 1 < argc) {
      markdown = argv[++i];
      continue;
    }
    rest.push_back(argv[i]);
  }
  int rest_count = static_cast<int>(rest.size());
  benchmark::Initialize(&rest_count, rest.data());
  MedianCollector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();

  Fixture& f = TheFixture();
  bench::Fragment out(markdown);
  out.Line("## Message lookups per second");
  out.Line("");
  out.Line(bench::Format(
      "`MessageFile::LookUpMessage` (the scan of the selected section's 3700-byte window that "
      "every interface text goes through, by design without an index) against a hashed index of "
      "the same section (`std::unordered_map` from key to text, the text copied out as the lookup "
      "does), in the same process. The section fills its whole window (%zu bytes, %zu entries); "
      "the key is the first, the middle or the last one, or missing (the whole window is scanned). "
      "Medians of 7 repetitions (Google Benchmark). A window of the editor shows at most a few "
      "dozen texts, each looked up once.",
      f.section_bytes, f.index.size()));
  out.Line("");
  out.Header({"key", "entry offset", "lookups/s", "index lookups/s", "time ratio"},
             {false, true, true, true, true});
  const char* names[] = {"first", "middle", "last", "missing"};
  for (long i = 0; i < 4; ++i) {
    const double ours = collector.rates["Lookup"][i];
    const double index = collector.rates["HashedIndex"][i];
    if (ours <= 0 || index <= 0) return 1;
    out.Row({names[i], std::to_string(f.offsets[static_cast<size_t>(i)]), bench::Format("%.0f", ours),
             bench::Format("%.0f", index), bench::Format("%.1f", index / ours)});
  }
  out.Line("");
  return out.Save() ? 0 : 1;
}
