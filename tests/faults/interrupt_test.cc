// The program stopped by SIGINT, SIGTERM or SIGHUP at random moments while
// it rewrites a tree, over many runs: it ends with 128 plus the signal's
// number (or 0 when it finished first), leaves no temporary file, and every
// page and the settings file hold their old or their new content, whole.
//
// QUARNEL_SIGNAL_RUNS sets the number of runs (default 120) and
// QUARNEL_SIGNAL_SEED the random seed (printed, to repeat a failure).
#include "tests/support/signalled_runs.h"

namespace quarnel {
namespace {

using namespace testing_support;

TEST(InterruptTest, EveryPageIsOldOrNewWholeAndNoTemporaryFileStays) {
  const SignalledTree tree([](TempFolder& dir) {
    for (unsigned i = 0; i < 200; ++i) {
      const std::size_t lines = i % 50 == 0 ? 40000 : 100 + 10 * (i % 40);
      const std::string folder = "pristine/site/sub" + std::to_string(i % 7) + "/";
      dir.Write(folder + "page" + std::to_string(i) + ".html", CompactablePage(lines, i));
    }
  });
  constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
  const SignalledPlan plan{"interrupt test", "QUARNEL_SIGNAL_RUNS", 120, "QUARNEL_SIGNAL_SEED",
                           [&](long run) { return kSignals[run % 3]; }};

  const SignalledTotals totals = RunSignalled(tree, plan, [&](const SignalledRun& run) {
    // The signal may come before the handlers are in place (the default
    // action ends the process) or after the run has ended.
    const ProcessOutcome& outcome = run.outcome;
    const bool caught = outcome.status == 128 + run.signal;
    EXPECT_TRUE(caught || outcome.status == 0 || outcome.signal == run.signal)
        << run.context << ": status " << outcome.status << ", signal " << outcome.signal << "\n"
        << outcome.err;
    return SignalledCheck{caught, CheckFiles(run.before, Snapshot(tree.tree()), tree.forms(),
                                             /*leftoversAllowed=*/!caught, run.context)};
  });
  EXPECT_GT(totals.landed, totals.runs / 2) << "most signals must land inside a run";
  EXPECT_GT(totals.mixed, 0) << "some signals must land between the rewrites of one run";
  ReportFigure("SIGINT, SIGTERM or SIGHUP at a random moment", totals.runs, totals.landed,
               totals.files,
               "stopped mid-run " + std::to_string(totals.landed) + ", mixed old/new " +
                   std::to_string(totals.mixed));
}

}  // namespace
}  // namespace quarnel
