// The program killed by SIGKILL at random moments while it rewrites a tree,
// over many runs: afterwards every page and the settings file hold either
// their old or their new content, whole; a temporary file may remain, and
// only under its recognisable name; a run after the kill finishes the work
// and removes those left beside the pages.
//
// QUARNEL_KILL_RUNS sets the number of runs (default 400) and
// QUARNEL_KILL_SEED the random seed (printed, to repeat a failure).
#include "tests/support/signalled_runs.h"

namespace quarnel {
namespace {

using namespace testing_support;

TEST(KillTest, EveryFileIsOldOrNewWholeAfterSigkillAtAnyMoment) {
  // Pages from 2 KB to 4 MB, some already compact.
  const SignalledTree tree([](TempFolder& dir) {
    for (unsigned i = 0; i < 40; ++i) {
      const std::size_t lines = i < 30 ? 30 + 20 * i : (i < 38 ? 3000 : 60000);
      const std::string folder =
          "pristine/site/" + std::string(i % 4 == 0 ? "" : "sub" + std::to_string(i % 3) + "/");
      dir.Write(folder + "page" + std::to_string(i) + ".html", CompactablePage(lines, i));
    }
    dir.Write("pristine/site/compact.html", "<head>\r\n<p>nothing to do</p>\r\n");
  });
  const SignalledPlan plan{"kill test", "QUARNEL_KILL_RUNS", 400, "QUARNEL_KILL_SEED",
                           [](long) { return SIGKILL; }};

  const SignalledTotals totals = RunSignalled(tree, plan, [&](const SignalledRun& run) {
    const bool killed = run.outcome.signal == SIGKILL;
    if (!killed) {
      EXPECT_EQ(run.outcome.status, 0) << run.outcome.err;
    }
    const FileTally tally =
        CheckFiles(run.before, Snapshot(tree.tree()), tree.forms(), true, run.context);
    if (::testing::Test::HasFailure()) return SignalledCheck{killed, tally};

    // A run after the kill finishes the work and removes the temporary
    // files the kill left in the folders it walks (the settings file's
    // folder is not one of them).
    const ProcessOutcome after = tree.Run();
    EXPECT_EQ(after.status, 0) << run.context << ": " << after.err;
    for (const auto& [path, state] : Snapshot(tree.tree())) {
      const auto form = tree.forms().find(path);
      if (form == tree.forms().end()) {
        EXPECT_TRUE(path.starts_with("bin/") &&
                    IsTemporaryName(std::filesystem::path(path).filename().string()))
            << run.context << ": left after the next run: " << path;
      } else if (!path.ends_with("Quarnel.ini")) {
        EXPECT_EQ(state.bytes, form->second.bytes) << run.context << ": " << path;
      }
    }
    return SignalledCheck{killed, tally};
  });
  EXPECT_GT(totals.landed, totals.runs / 2) << "most kills must land inside a run";
  EXPECT_GT(totals.mixed, 0) << "some kills must land between the rewrites of one run";
  ReportFigure("SIGKILL at a random moment", totals.runs, totals.landed, totals.files,
               "killed mid-run " + std::to_string(totals.landed) + ", mixed old/new " +
                   std::to_string(totals.mixed));
}

}  // namespace
}  // namespace quarnel
