// Throughput of the compaction engine on a 50 MB document, beside the cost
// of merely splitting the same bytes into lines. Prints MB/s for each and
// the ratio engine / split (target: at most 2).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/html_corpus.h"
#include "engine/compact_lines.h"
#include "engine/line_split.h"
#include "settings/default_lists.h"

namespace quarnel::bench {
namespace {

constexpr std::size_t kDocumentBytes = 50u << 20;

const std::string& Document() {
  static const std::string doc = MakeHtmlDocument(kDocumentBytes);
  return doc;
}

void BM_SplitLines(benchmark::State& state) {
  const std::string& doc = Document();
  for (auto _ : state) {
    LineList lines = SplitLines(doc);
    benchmark::DoNotOptimize(lines.data());
    state.PauseTiming();
    lines = LineList();  // freeing is not part of the split
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}

void BM_CompactLines(benchmark::State& state) {
  const bool compactFlag = state.range(0) == 1;
  const std::string& doc = Document();
  const LineList pristine = SplitLines(doc);
  const ItemList joinTags = compactFlag ? DefaultJoinTags() : ItemList{};
  const ItemList deleteLines = DefaultDeleteLines();
  const CompactContext context;
  for (auto _ : state) {
    state.PauseTiming();
    LineList lines = pristine;
    state.ResumeTiming();
    benchmark::DoNotOptimize(CompactLines(lines, compactFlag, joinTags, deleteLines, context));
    state.PauseTiming();
    lines = LineList();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
  state.SetLabel(compactFlag ? "size first" : "legibility first");
}

BENCHMARK(BM_SplitLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CompactLines)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each run's time per iteration so that the ratios can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) seconds_[run.benchmark_name()] = run.GetAdjustedRealTime() / 1e3;
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintSummary() const {
    const auto split = seconds_.find("BM_SplitLines/real_time");
    if (split == seconds_.end()) return;
    const double mb = static_cast<double>(Document().size()) / (1 << 20);
    std::printf("\nsplit into lines:      %8.0f MB/s\n", mb / split->second);
    for (const auto& [name, label] :
         {std::pair{"BM_CompactLines/1/real_time", "size first"},
          std::pair{"BM_CompactLines/0/real_time", "legibility first"}}) {
      const auto it = seconds_.find(name);
      if (it == seconds_.end()) continue;
      std::printf("engine, %-16s %7.0f MB/s   engine/split = %.2f\n", label, mb / it->second,
                  it->second / split->second);
    }
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace quarnel::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  quarnel::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
