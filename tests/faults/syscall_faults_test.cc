// Every result of the system calls a run makes is checked: strace makes the
// Nth call of one kind fail (once, and from the Nth on), for every N from
// the first call after start-up to the last, and the run must then
//   - leave every page and the settings file as it was or whole in its new
//     form, with no temporary file left;
//   - never report success while a page that needed a rewrite is not
//     rewritten (exit status 1, and a line naming the program on stderr
//     whenever stderr itself can still be written);
//   - never crash.
#include <fstream>
#include <sstream>

#include "tests/support/fault_support.h"

namespace quarnel {
namespace {

using namespace testing_support;

struct Fault {
  const char* call;
  const char* error;
};

// The calls of a run and an error each can really give.
constexpr Fault kFaults[] = {
    {"openat", "EACCES"},  {"read", "EIO"},       {"write", "ENOSPC"},   {"writev", "ENOSPC"},
    {"fchown", "EIO"},     {"fchmod", "EPERM"},   {"fsync", "EIO"},      {"close", "EIO"},
    {"renameat", "EIO"},   {"getdents64", "EIO"}, {"newfstatat", "EIO"}, {"faccessat2", "EIO"},
    {"readlinkat", "EIO"},
};
// Not swept: unlink, whose failure is the one that leaves a temporary file
// behind, as nothing else can remove it.

// Settings that differ from the defaults in what they do to a page, so that
// a run on the defaults shows.
constexpr std::string_view kSettings =
    "ZENTHARO QUARNEL VER 2.01.01\r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n"
    "<meta name=\"GENERATOR\" content=\"Microsoft FrontPage 4.0\">\r\n</p>\r\n";

class SyscallFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    strace_ = FindTool("strace");
    if (strace_.empty()) GTEST_SKIP() << "strace is not installed";
    const ProcessOutcome probe = RunProcess({strace_, "-qq", "-o", "/dev/null", "/bin/true"});
    if (probe.status != 0) GTEST_SKIP() << "strace cannot trace here: " << probe.err;

    pristine_ = dir_ / "pristine";
    CopyProgram(pristine_ + "/bin");
    dir_.Write("pristine/bin/Quarnel.ini", kSettings);
    dir_.Write("pristine/site/a.html", CompactablePage(40, 1));
    dir_.Write("pristine/site/b.htm", CompactablePage(5, 2));
    dir_.Write("pristine/site/sub/c.html", "<head>\r\n<p>already compact</p>\r\n");
    dir_.Write("pristine/site/sub/d.shtml", CompactablePage(400, 4));
    dir_.Write("pristine/next.html", CompactablePage(3, 5));
    forms_ = CompactedForms(pristine_, kArgs, "bin/quarnel");
    // What a run makes of the tree when it cannot read its settings file.
    CopyTree(pristine_, dir_ / "no-settings");
    std::filesystem::remove(dir_ / "no-settings/bin/Quarnel.ini");
    default_forms_ = CompactedForms(dir_ / "no-settings", kArgs, "bin/quarnel");
    tree_ = dir_ / "tree";
  }

  std::vector<std::string> Command(std::vector<std::string> strace) const {
    std::vector<std::string> argv{strace_, "-f", "-qq"};
    argv.insert(argv.end(), strace.begin(), strace.end());
    argv.push_back(tree_ + "/bin/quarnel");
    argv.insert(argv.end(), kArgs.begin(), kArgs.end());
    return argv;
  }

  ProcessOptions Options() const {
    ProcessOptions options;
    options.cwd = tree_;
    options.env = {"HOME=" + (dir_ / "home"), "XDG_CONFIG_HOME=" + (dir_ / "config")};
    return options;
  }

  // How many calls of the kind a run makes: before the program's own work
  // starts (its first act is to look for its folder), and in all.
  std::pair<int, int> CountCalls(const std::string& call) {
    CopyTree(pristine_, tree_);
    const std::string log = dir_ / "calls.log";
    const ProcessOutcome run =
        RunProcess(Command({"-o", log, "-e", "trace=" + call + ",readlinkat"}), Options());
    EXPECT_EQ(run.status, 0) << run.err;
    std::ifstream in(log);
    int startup = -1;
    int all = 0;
    for (std::string line; std::getline(in, line);) {
      std::istringstream words(line);
      std::string pid;
      std::string rest;
      words >> pid >> std::ws;
      std::getline(words, rest);
      if (startup < 0 && rest.starts_with("readlinkat(AT_FDCWD, \"/proc/self/exe\"")) startup = all;
      if (rest.starts_with(call + "(")) ++all;
    }
    return {startup < 0 ? 0 : startup, all};
  }

  // One file job at a time: strace counts the calls of each thread apart,
  // so with workers "the Nth call" would fail in every thread at once,
  // stderr's first write among them. The workers run the same file job.
  static inline const std::vector<std::string> kArgs = {"-j1", "site", "next.html"};
  TempFolder dir_;
  std::string strace_;
  std::string pristine_;
  std::string tree_;
  TreeState forms_;
  TreeState default_forms_;
};

TEST_F(SyscallFaultTest, EveryFailingCallKeepsEveryFileWholeAndIsReported) {
  FileTally all;
  long runs = 0;
  long reported = 0;
  for (const Fault& fault : kFaults) {
    const auto [startup, calls] = CountCalls(fault.call);
    std::printf("%s failing with %s: calls %d to %d of the run's own work swept\n", fault.call,
                fault.error, startup + 1, calls);
    for (const bool persistent : {false, true}) {
      for (int n = startup + 1; n <= calls + (persistent ? 1 : 0); ++n) {
        const std::string when = std::to_string(n) + (persistent ? "+" : "");
        const std::string context = std::string(fault.call) + " failing with " + fault.error +
                                    " at call " + when + " of " + std::to_string(calls);
        CopyTree(pristine_, tree_);
        const TreeState before = Snapshot(tree_);
        const ProcessOutcome run =
            RunProcess(Command({"-o", "/dev/null", "-e", std::string("trace=") + fault.call, "-e",
                                std::string("inject=") + fault.call + ":error=" + fault.error +
                                    ":when=" + when}),
                       Options());
        ++runs;
        EXPECT_TRUE(run.status == 0 || run.status == 1)
            << context << ": status " << run.status << ", signal " << run.signal << "\n"
            << run.err;
        // A settings file that cannot be read gives the defaults, and is
        // kept as Quarnel.ini.bak when the defaults replace it.
        TreeState after = Snapshot(tree_);
        const bool onDefaults = run.err.find("; using the defaults") != std::string::npos;
        if (const auto backup = after.find("bin/Quarnel.ini.bak"); backup != after.end()) {
          EXPECT_TRUE(onDefaults) << context;
          EXPECT_EQ(backup->second.bytes, kSettings) << context;
          after.erase(backup);
        }
        const TreeState& forms = onDefaults ? default_forms_ : forms_;
        const FileTally tally = CheckFiles(before, after, forms, false, context);
        all += tally;

        // A page that needed a rewrite and did not get it is a failure to
        // be reported; so is the settings file left as it was.
        bool pageLeft = false;
        bool settingsLeft = false;
        for (const auto& [path, old] : before) {
          const auto now = after.find(path);
          if (now == after.end() || forms.at(path).bytes == old.bytes) continue;
          if (now->second.bytes != old.bytes) continue;
          (path.ends_with("Quarnel.ini") ? settingsLeft : pageLeft) = true;
        }
        if (pageLeft) {
          EXPECT_EQ(run.status, 1) << context << ": a failure reported as success";
        }
        const bool stderrWorks = !persistent || (std::string_view(fault.call) != "write" &&
                                                 std::string_view(fault.call) != "writev");
        if (stderrWorks && (run.status != 0 || settingsLeft)) {
          EXPECT_FALSE(run.err.empty()) << context << ": nothing said";
        }
        if (run.status == 1) ++reported;
        for (std::size_t start = 0, end; (end = run.err.find('\n', start)) != std::string::npos;
             start = end + 1) {
          EXPECT_TRUE(run.err.compare(start, 9, "quarnel: ") == 0) << context << ": " << run.err;
        }
        if (HasFailure()) {
          ReportFigure("failing system calls (strace)", runs, runs, all, "stopped at " + context);
          return;
        }
      }
    }
  }
  ReportFigure("failing system calls (strace)", runs, runs, all,
               std::to_string(reported) + " runs reported a failure (exit 1)");
}

}  // namespace
}  // namespace quarnel
