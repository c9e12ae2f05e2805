// The program killed by SIGKILL at random moments while it rewrites a tree,
// over many runs: afterwards every page and the settings file hold either
// their old or their new content, whole; a temporary file may remain, and
// only under its recognisable name; a run after the kill finishes the work
// and removes those left beside the pages.
//
// QUARNEL_KILL_RUNS sets the number of runs (default 400) and
// QUARNEL_KILL_SEED the random seed (printed, to repeat a failure).
#include <chrono>
#include <random>
#include <thread>

#include "tests/support/fault_support.h"

namespace quarnel {
namespace {

using namespace testing_support;

long EnvNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && text[0] != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

TEST(KillTest, EveryFileIsOldOrNewWholeAfterSigkillAtAnyMoment) {
  TempFolder dir;
  // The pristine tree: pages from 2 KB to 4 MB, some already compact, and a
  // settings file of its own beside the program.
  const std::string pristine = dir / "pristine";
  CopyProgram(pristine + "/bin");
  dir.Write(
      "pristine/bin/Quarnel.ini",
      "ZENTHARO QUARNEL VER 2.01.01\r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n</p>\r\n");
  for (unsigned i = 0; i < 40; ++i) {
    const std::size_t lines = i < 30 ? 30 + 20 * i : (i < 38 ? 3000 : 60000);
    const std::string folder =
        "pristine/site/" + std::string(i % 4 == 0 ? "" : "sub" + std::to_string(i % 3) + "/");
    dir.Write(folder + "page" + std::to_string(i) + ".html", CompactablePage(lines, i));
  }
  dir.Write("pristine/site/compact.html", "<head>\r\n<p>nothing to do</p>\r\n");
  const std::vector<std::string> args = {"site"};
  const TreeState forms = CompactedForms(pristine, args, "bin/quarnel");

  const std::string tree = dir / "tree";
  const auto run = [&](auto&& whileRunning) {
    ProcessOptions options;
    options.cwd = tree;
    options.env = {"HOME=" + (dir / "home"), "XDG_CONFIG_HOME=" + (dir / "config")};
    std::vector<std::string> argv{tree + "/bin/quarnel"};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildProcess child(argv, options);
    whileRunning(child);
    return child.Wait();
  };

  // How long a whole run takes, to aim the kills inside it: the shortest of
  // a few runs.
  auto whole = std::chrono::microseconds::max();
  for (int i = 0; i < 3; ++i) {
    CopyTree(pristine, tree);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(run([](ChildProcess&) {}).status, 0);
    whole = std::min(whole, std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::steady_clock::now() - start));
  }

  const long runs = EnvNumber("QUARNEL_KILL_RUNS", 400);
  const unsigned seed =
      static_cast<unsigned>(EnvNumber("QUARNEL_KILL_SEED", std::random_device{}()));
  std::printf("kill test: %ld runs, a whole run takes %lld us, seed %u\n", runs,
              static_cast<long long>(whole.count()), seed);
  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> moment(0, whole.count() * 11 / 10);

  FileTally all;
  long killed = 0;
  long mixed = 0;  // runs that left some files old and some new
  for (long r = 0; r < runs; ++r) {
    CopyTree(pristine, tree);
    const TreeState before = Snapshot(tree);
    const long long at = moment(random);
    const ProcessOutcome outcome = run([&](ChildProcess& c) {
      std::this_thread::sleep_for(std::chrono::microseconds(at));
      c.Kill(SIGKILL);
    });
    const bool wasKilled = outcome.signal == SIGKILL;
    killed += wasKilled;
    if (!wasKilled) {
      EXPECT_EQ(outcome.status, 0) << outcome.err;
    }
    const std::string context = "kill at " + std::to_string(at) + " us (seed " +
                                std::to_string(seed) + ", run " + std::to_string(r) + ")";
    const FileTally tally = CheckFiles(before, Snapshot(tree), forms, true, context);
    all += tally;
    if (tally.unchanged > 1 && tally.replaced > 0) ++mixed;
    if (::testing::Test::HasFailure()) break;

    // A run after the kill finishes the work and removes the temporary
    // files the kill left in the folders it walks (the settings file's
    // folder is not one of them).
    const ProcessOutcome after = run([](ChildProcess&) {});
    EXPECT_EQ(after.status, 0) << context << ": " << after.err;
    for (const auto& [path, state] : Snapshot(tree)) {
      const auto form = forms.find(path);
      if (form == forms.end()) {
        EXPECT_TRUE(path.starts_with("bin/") &&
                    IsTemporaryName(std::filesystem::path(path).filename().string()))
            << context << ": left after the next run: " << path;
      } else if (!path.ends_with("Quarnel.ini")) {
        EXPECT_EQ(state.bytes, form->second.bytes) << context << ": " << path;
      }
    }
  }
  EXPECT_GT(killed, runs / 2) << "most kills must land inside a run";
  EXPECT_GT(mixed, 0) << "some kills must land between the rewrites of one run";
  ReportFigure(
      "SIGKILL at a random moment", runs, killed, all,
      "killed mid-run " + std::to_string(killed) + ", mixed old/new " + std::to_string(mixed));
}

}  // namespace
}  // namespace quarnel
