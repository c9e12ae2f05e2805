// A run by root over folders that other users own: a link that another
// user made never steers the run onto a page that user may not change, and
// a folder swapped for a link while the run goes never leads it outside the
// tree it was given.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/fault_support.h"

namespace quarnel {
namespace {

using namespace testing_support;

class LinkFaultsTest : public ::testing::Test {
 protected:
  LinkFaultsTest() { program_ = CopyProgram(dir_ / "bin"); }

  ProcessOutcome Run(std::vector<std::string> args) {
    args.insert(args.begin(), program_);
    ProcessOptions options;
    options.cwd = dir_.path();
    options.env = {"HOME=" + (dir_ / "home"), "XDG_CONFIG_HOME=" + (dir_ / "config")};
    return RunProcess(args, options);
  }

  // A symbolic link at `relative` to `target`, owned by `uid`.
  void Link(const std::string& target, const std::string& relative, uid_t uid, gid_t gid) {
    ASSERT_EQ(::symlink(target.c_str(), (dir_ / relative).c_str()), 0);
    ASSERT_EQ(::lchown((dir_ / relative).c_str(), uid, gid), 0);
  }

  TempFolder dir_;
  std::string program_;
};

TEST_F(LinkFaultsTest, AnotherUsersLinkToAPageItMayNotChangeIsLeftAlone) {
  if (!IsRoot()) GTEST_SKIP() << "needs root to make links that another user owns";
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr) GTEST_SKIP() << "there is no user nobody";
  const uid_t uid = nobody->pw_uid;
  const gid_t gid = nobody->pw_gid;
  const std::string page = CompactablePage(6, 3);
  dir_.Write("private/root.html", page);
  ASSERT_EQ(::chmod((dir_ / "private/root.html").c_str(), 0600), 0);
  dir_.Write("site/own.html", page);
  ASSERT_EQ(::chown((dir_ / "site").c_str(), uid, gid), 0);
  ASSERT_EQ(::chown((dir_ / "site/own.html").c_str(), uid, gid), 0);
  // nobody's link to root's page; nobody's link to nobody's own page; and
  // root's own link to root's page.
  Link(dir_ / "private/root.html", "site/evil.html", uid, gid);
  Link("own.html", "site/own-link.html", uid, gid);
  Link(dir_ / "private/root.html", "site/roots-link.html", 0, 0);
  AgeFile(dir_ / "private/root.html");

  const ProcessOutcome walked = Run({"site"});
  EXPECT_EQ(walked.status, 1);
  EXPECT_EQ(walked.err, "quarnel: site/evil.html: a link owned by another user; left as it is\n");
  // Root's own link rewrote root's page: put it back for the next run.
  EXPECT_NE(TempFolder::Read(dir_ / "private/root.html"), page);
  dir_.Write("private/root.html", page);
  AgeFile(dir_ / "private/root.html");
  const TreeState restored = Snapshot(dir_ / "private");

  const ProcessOutcome named = Run({"site/evil.html"});
  EXPECT_EQ(named.status, 1);
  EXPECT_EQ(named.err, "quarnel: site/evil.html: a link owned by another user; left as it is\n");
  const FileTally tally =
      CheckFiles(restored, Snapshot(dir_ / "private"), {}, false, "foreign link");
  EXPECT_EQ(tally.unchanged, 1) << "root's page keeps its bytes and time";
  EXPECT_NE(TempFolder::Read(dir_ / "site/own.html"), page) << "nobody's link to its own page";
  ReportFigure("another user's link to root's page (walked, named)", 2, 1, tally);
}

// Swaps `folder` for a link to `outside` and back, as fast as it can, until
// it is killed.
[[noreturn]] void SwapForever(const std::string& folder, const std::string& outside) {
  const std::string aside = folder + ".real";
  while (true) {
    if (::rename(folder.c_str(), aside.c_str()) != 0) continue;
    if (::symlink(outside.c_str(), folder.c_str()) == 0) ::unlink(folder.c_str());
    ::rename(aside.c_str(), folder.c_str());
  }
}

TEST_F(LinkFaultsTest, AFolderSwappedForALinkNeverLeadsTheRunOutside) {
  if (!IsRoot()) GTEST_SKIP() << "a run by root over a tree another process changes is the case";
  constexpr int kRuns = 200;
  // The same names inside the tree and outside it, so that a run led
  // outside would find pages to rewrite there.
  for (const char* name : {"a.html", "b/c.html", "b/d.html"}) {
    dir_.Write(std::string("site/sub/") + name, CompactablePage(6, 1));
    dir_.Write(std::string("outside/") + name, CompactablePage(6, 1));
    AgeFile(dir_ / (std::string("outside/") + name));
  }
  dir_.Write("site/top.html", CompactablePage(6, 2));
  const TreeState outsideBefore = Snapshot(dir_ / "outside");
  // The real folder stays reachable by its handle whatever its name.
  const int sub = ::open((dir_ / "site/sub").c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(sub, 0);

  const pid_t swapper = ::fork();
  ASSERT_GE(swapper, 0);
  if (swapper == 0) SwapForever(dir_ / "site/sub", dir_ / "outside");
  int rewrites = 0;
  for (int run = 0; run < kRuns; ++run) {
    const ProcessOutcome outcome = Run({"-v", "site"});
    EXPECT_TRUE(outcome.status == 0 || outcome.status == 1) << outcome.err;
    for (std::size_t at = 0; (at = outcome.out.find("rewrote ", at)) != std::string::npos; ++at) {
      ++rewrites;
    }
    // The pages inside are made compactable again for the next run.
    for (const char* name : {"a.html", "b/c.html"}) {
      const int fd = ::openat(sub, name, O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
      ASSERT_GE(fd, 0);
      const std::string page = CompactablePage(6, 1);
      EXPECT_EQ(::write(fd, page.data(), page.size()), static_cast<ssize_t>(page.size()));
      ::close(fd);
    }
  }
  ::kill(swapper, SIGKILL);
  ::waitpid(swapper, nullptr, 0);
  ::close(sub);

  const TreeState outsideAfter = Snapshot(dir_ / "outside");
  const FileTally tally = CheckFiles(outsideBefore, outsideAfter, {}, false, "path swap");
  EXPECT_EQ(tally.unchanged, 3) << "outside the tree nothing changes, bytes and times";
  EXPECT_GT(rewrites, kRuns) << "the runs did rewrite pages inside the tree";
  ReportFigure("folder swapped for a link to outside during runs by root", kRuns, kRuns, tally,
               std::to_string(rewrites) + " pages rewritten inside");
}

}  // namespace
}  // namespace quarnel
