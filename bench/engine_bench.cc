// Throughput of the compaction engine on a corpus of 50 MB of pages the size
// of real ones (8 to 56 KB; half CR LF, a quarter with <style>, <pre> and
// <script> blocks, a quarter with LF line ends): the whole road from each
// page's bytes to its new bytes (encoding, line ends, blocks, opt-out
// marker, the rules and the writing of the new form), in both modes, beside
// the cost of merely cutting the same bytes into lines and one plain pass
// that counts the line feeds. Prints GB/s for each (target: at least 3 GB/s
// for the engine in both modes).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/html_corpus.h"
#include "engine/page_lines.h"
#include "files/page_compaction.h"
#include "platform/free_memory.h"
#include "settings/default_lists.h"

namespace quarnel::bench {
namespace {

constexpr std::size_t kDocumentBytes = 50u << 20;

struct Corpus {
  std::vector<std::string> pages;
  std::size_t bytes = 0;
};

const Corpus& Pages() {
  static const Corpus corpus = [] {
    Corpus c;
    for (std::size_t n = 0; c.bytes < kDocumentBytes; ++n) {
      const std::size_t size = (8 + n * 7 % 49) << 10;
      std::string page = n % 4 == 1   ? MakeBlockDocument(size)
                         : n % 4 == 3 ? WithLineFeeds(MakeHtmlDocument(size))
                                      : MakeHtmlDocument(size);
      c.bytes += page.size();
      c.pages.push_back(std::move(page));
    }
    return c;
  }();
  return corpus;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Pages().bytes));
}

// What any program that looks at every byte pays.
void BM_CountLineFeeds(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& page : Pages().pages) {
      benchmark::DoNotOptimize(std::count(page.begin(), page.end(), '\n'));
    }
  }
  SetBytes(state);
}

// The one scan that finds the lines, blocks, opt-out marker and first
// non-ASCII byte before the rules run.
void BM_ReadPageViews(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& page : Pages().pages) {
      PageViews lines = ReadPageViews(page);
      benchmark::DoNotOptimize(lines.lines.size());
    }
  }
  SetBytes(state);
}

void BM_CompactPage(benchmark::State& state) {
  Settings settings;
  settings.CompactMode = static_cast<std::int32_t>(state.range(0));
  settings.JoinTags = DefaultJoinTags();
  settings.DeleteLines = DefaultDeleteLines();
  const WorkItems items(settings);
  for (auto _ : state) {
    for (const std::string& page : Pages().pages) {
      const CompactedPage compacted = CompactPage(items, page, PageCompaction{});
      benchmark::DoNotOptimize(compacted.bytes.data());
    }
  }
  SetBytes(state);
  state.SetLabel(settings.CompactMode == 1 ? "size first" : "legibility first");
}

BENCHMARK(BM_CountLineFeeds)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadPageViews)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CompactPage)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each run's time per iteration so that the summary can be printed.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) seconds_[run.benchmark_name()] = run.GetAdjustedRealTime() / 1e3;
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintSummary() const {
    const double gb = static_cast<double>(Pages().bytes) / 1e9;
    std::printf("\n");
    for (const auto& [name, label] :
         {std::pair{"BM_CountLineFeeds/real_time", "count line feeds"},
          std::pair{"BM_ReadPageViews/real_time", "one scan of the bytes"},
          std::pair{"BM_CompactPage/1/real_time", "engine, size first"},
          std::pair{"BM_CompactPage/0/real_time", "engine, legibility first"}}) {
      const auto it = seconds_.find(name);
      if (it != seconds_.end()) std::printf("%-26s %6.2f GB/s\n", label, gb / it->second);
    }
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace quarnel::bench

int main(int argc, char** argv) {
  quarnel::KeepFreedMemory();  // as the program runs the engine
  benchmark::Initialize(&argc, argv);
  quarnel::bench::SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
