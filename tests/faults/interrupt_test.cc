// The program stopped by SIGINT, SIGTERM or SIGHUP at random moments while
// it rewrites a tree, over many runs: it ends with 128 plus the signal's
// number (or 0 when it finished first), leaves no temporary file, and every
// page and the settings file hold their old or their new content, whole.
//
// QUARNEL_SIGNAL_RUNS sets the number of runs (default 120) and
// QUARNEL_SIGNAL_SEED the random seed (printed, to repeat a failure).
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

TEST(InterruptTest, EveryPageIsOldOrNewWholeAndNoTemporaryFileStays) {
  TempFolder dir;
  const std::string pristine = dir / "pristine";
  CopyProgram(pristine + "/bin");
  dir.Write(
      "pristine/bin/Quarnel.ini",
      "ZENTHARO QUARNEL VER 2.01.01\r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n</p>\r\n");
  for (unsigned i = 0; i < 200; ++i) {
    const std::size_t lines = i % 50 == 0 ? 40000 : 100 + 10 * (i % 40);
    const std::string folder = "pristine/site/sub" + std::to_string(i % 7) + "/";
    dir.Write(folder + "page" + std::to_string(i) + ".html", CompactablePage(lines, i));
  }
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

  auto whole = std::chrono::microseconds::max();
  for (int i = 0; i < 3; ++i) {
    CopyTree(pristine, tree);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(run([](ChildProcess&) {}).status, 0);
    whole = std::min(whole, std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::steady_clock::now() - start));
  }

  const long runs = EnvNumber("QUARNEL_SIGNAL_RUNS", 120);
  const unsigned seed =
      static_cast<unsigned>(EnvNumber("QUARNEL_SIGNAL_SEED", std::random_device{}()));
  std::printf("interrupt test: %ld runs, a whole run takes %lld us, seed %u\n", runs,
              static_cast<long long>(whole.count()), seed);
  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> moment(0, whole.count() * 11 / 10);
  constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

  FileTally all;
  long stopped = 0;
  long mixed = 0;  // runs that left some pages old and some new
  for (long r = 0; r < runs; ++r) {
    CopyTree(pristine, tree);
    const TreeState before = Snapshot(tree);
    const long long at = moment(random);
    const int signal_number = kSignals[r % 3];
    const ProcessOutcome outcome = run([&](ChildProcess& c) {
      std::this_thread::sleep_for(std::chrono::microseconds(at));
      c.Kill(signal_number);
    });
    const std::string context = "signal " + std::to_string(signal_number) + " at " +
                                std::to_string(at) + " us (seed " + std::to_string(seed) +
                                ", run " + std::to_string(r) + ")";
    // The signal may come before the handlers are in place (the default
    // action ends the process) or after the run has ended.
    const bool caught = outcome.status == 128 + signal_number;
    EXPECT_TRUE(caught || outcome.status == 0 || outcome.signal == signal_number)
        << context << ": status " << outcome.status << ", signal " << outcome.signal << "\n"
        << outcome.err;
    stopped += caught;
    const FileTally tally =
        CheckFiles(before, Snapshot(tree), forms, /*leftoversAllowed=*/!caught, context);
    all += tally;
    if (tally.unchanged > 1 && tally.replaced > 0) ++mixed;
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_GT(stopped, runs / 2) << "most signals must land inside a run";
  EXPECT_GT(mixed, 0) << "some signals must land between the rewrites of one run";
  ReportFigure(
      "SIGINT, SIGTERM or SIGHUP at a random moment", runs, stopped, all,
      "stopped mid-run " + std::to_string(stopped) + ", mixed old/new " + std::to_string(mixed));
}

}  // namespace
}  // namespace quarnel
