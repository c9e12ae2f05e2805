#ifndef QUARNEL_TESTS_SUPPORT_SIGNALLED_RUNS_H_
#define QUARNEL_TESTS_SUPPORT_SIGNALLED_RUNS_H_

// What the tests that stop the program at random moments share: a pristine
// tree with a private copy of the program and its own settings file, runs
// on fresh copies of it, and the loop that sends a signal at a random
// moment of each run and checks what it did to the files.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/fault_support.h"

namespace quarnel::testing_support {

// A number from the environment variable `name`, else `fallback`.
inline long EnvNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && text[0] != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

// "pristine/bin" holds a copy of the program and a settings file of its
// own (size first, signature on, one join tag), "pristine/site" the pages
// that `write_pages` writes; the program is run on "site" in "tree", a
// fresh copy of the pristine tree.
class SignalledTree {
 public:
  explicit SignalledTree(const std::function<void(TempFolder& dir)>& write_pages)
      : pristine_(dir_ / "pristine"), tree_(dir_ / "tree") {
    CopyProgram(pristine_ + "/bin");
    dir_.Write("pristine/bin/Quarnel.ini",
               "ZENTHARO QUARNEL VER 2.01.01\r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n 0 "
               "\r\n</p>\r\n");
    write_pages(dir_);
    forms_ = CompactedForms(pristine_, {"site"}, "bin/quarnel");
  }

  // The compacted form of every file, the settings file included.
  const TreeState& forms() const { return forms_; }
  const std::string& tree() const { return tree_; }

  // Replaces the tree by a fresh copy of the pristine one.
  void Reset() const { CopyTree(pristine_, tree_); }

  // Runs the program on the tree as it stands; `while_running` gets the
  // process as soon as it has started.
  ProcessOutcome Run(const std::function<void(ChildProcess&)>& while_running = {}) const {
    ProcessOptions options;
    options.cwd = tree_;
    options.env = {"HOME=" + (dir_ / "home"), "XDG_CONFIG_HOME=" + (dir_ / "config")};
    ChildProcess child({tree_ + "/bin/quarnel", "site"}, options);
    if (while_running) while_running(child);
    return child.Wait();
  }

  // The shortest of `tries` whole runs on fresh copies, to aim the signals
  // inside a run.
  std::chrono::microseconds WholeRun(int tries) const {
    auto whole = std::chrono::microseconds::max();
    for (int i = 0; i < tries; ++i) {
      Reset();
      const auto start = std::chrono::steady_clock::now();
      EXPECT_EQ(Run().status, 0);
      whole = std::min(whole, std::chrono::duration_cast<std::chrono::microseconds>(
                                  std::chrono::steady_clock::now() - start));
    }
    return whole;
  }

 private:
  TempFolder dir_;
  const std::string pristine_;
  const std::string tree_;
  TreeState forms_;
};

// One run of the loop: the tree before it, the signal and its moment, and
// how the program ended.
struct SignalledRun {
  TreeState before;
  int signal = 0;
  ProcessOutcome outcome;
  std::string context;  // "signal 9 at 1234 us (seed 5, run 7)", for failures
};

// What a run's check found: whether the signal landed inside the run, and
// what became of the files.
struct SignalledCheck {
  bool landed = false;
  FileTally files;
};

struct SignalledTotals {
  long runs = 0;
  long landed = 0;
  long mixed = 0;  // runs that left some pages old and some new
  FileTally files;
};

// What the loop is told.
struct SignalledPlan {
  const char* name;           // "kill test", in the line printed first
  const char* runs_variable;  // the environment variable for the number of runs
  long default_runs;
  const char* seed_variable;  // ... and for the seed (printed, to repeat a failure)
  std::function<int(long run)> signal_of;
};

// Runs the plan's runs, each on a fresh copy of the tree with the signal
// sent at a random moment up to 1.1 times a whole run, and hands each to
// `check`. A signal that comes after the run has ended has the whole run
// measured again: one measured while other tests loaded the machine would
// otherwise aim most later signals past the end. Stops at the first failure.
inline SignalledTotals RunSignalled(
    const SignalledTree& tree, const SignalledPlan& plan,
    const std::function<SignalledCheck(const SignalledRun&)>& check) {
  std::chrono::microseconds whole = tree.WholeRun(3);
  SignalledTotals totals;
  totals.runs = EnvNumber(plan.runs_variable, plan.default_runs);
  const auto seed = static_cast<unsigned>(EnvNumber(plan.seed_variable, std::random_device{}()));
  std::printf("%s: %ld runs, a whole run takes %lld us, seed %u\n", plan.name, totals.runs,
              static_cast<long long>(whole.count()), seed);
  std::mt19937 random(seed);
  auto moment = std::uniform_int_distribution<long long>(0, whole.count() * 11 / 10);
  for (long r = 0; r < totals.runs; ++r) {
    tree.Reset();
    SignalledRun run;
    run.before = Snapshot(tree.tree());
    run.signal = plan.signal_of(r);
    const long long at = moment(random);
    run.outcome = tree.Run([&](ChildProcess& child) {
      std::this_thread::sleep_for(std::chrono::microseconds(at));
      child.Kill(run.signal);
    });
    run.context = "signal " + std::to_string(run.signal) + " at " + std::to_string(at) +
                  " us (seed " + std::to_string(seed) + ", run " + std::to_string(r) + ")";
    const SignalledCheck found = check(run);
    totals.landed += found.landed;
    totals.files += found.files;
    if (found.files.unchanged > 1 && found.files.replaced > 0) ++totals.mixed;
    if (::testing::Test::HasFailure()) break;
    if (found.landed) continue;
    whole = std::min(whole, tree.WholeRun(1));
    moment = std::uniform_int_distribution<long long>(0, whole.count() * 11 / 10);
  }
  return totals;
}

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_SUPPORT_SIGNALLED_RUNS_H_
