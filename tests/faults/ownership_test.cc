// Who may change what: the program run as an ordinary user over pages it
// may not change, the metadata a rewrite keeps (permission bits, owner,
// extended attributes) and what it does to hard links, a folder that
// reaches itself through a bind mount or a symbolic link, and a run by root
// that another user's link, or a folder swapped for a link while it goes,
// never leads outside the tree it was given.
#include <sys/wait.h>
#include <sys/xattr.h>

#include "tests/support/fault_support.h"

namespace quarnel {
namespace {

using namespace testing_support;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

class OwnershipTest : public ::testing::Test {
 protected:
  OwnershipTest() { program_ = CopyProgram(dir_ / "bin"); }

  ProcessOutcome Run(std::vector<std::string> args, ProcessOptions options = {}) {
    args.insert(args.begin(), program_);
    options.cwd = dir_.path();
    options.env.insert(options.env.begin(),
                       {"HOME=" + (dir_ / "home"), "XDG_CONFIG_HOME=" + (dir_ / "config")});
    return RunProcess(args, options);
  }

  TempFolder dir_;
  std::string program_;
};

TEST_F(OwnershipTest, OrdinaryUserGetsAClearErrorAndNothingChanges) {
  if (!IsRoot()) GTEST_SKIP() << "needs root to run the program as another user";
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr) GTEST_SKIP() << "there is no user nobody";
  const uid_t uid = nobody->pw_uid;
  const gid_t gid = nobody->pw_gid;
  ::chmod(dir_.path().c_str(), 0755);
  const auto own = [&](const std::string& relative, mode_t mode) {
    ASSERT_EQ(::chown((dir_ / relative).c_str(), uid, gid), 0);
    ASSERT_EQ(::chmod((dir_ / relative).c_str(), mode), 0);
  };
  const std::string page = CompactablePage(12, 7);
  dir_.Write("site/read-only.html", page);
  dir_.Write("site/closed/page.html", page);
  dir_.Write("site/root's.html", page);
  dir_.Write("site/mine.html", page);
  std::filesystem::create_directories(dir_ / "config");
  const TreeState forms = CompactedForms(dir_ / "site", {"."});
  own("site", 0755);
  own("site/read-only.html", 0444);
  own("site/closed/page.html", 0644);
  own("site/closed", 0555);
  own("site/mine.html", 0644);
  own("config", 0755);
  ::chmod((dir_ / "site/root's.html").c_str(), 0644);
  for (const char* name :
       {"site/read-only.html", "site/closed/page.html", "site/root's.html", "site/mine.html"}) {
    AgeFile(dir_ / name);
  }
  const TreeState before = Snapshot(dir_ / "site");

  ProcessOptions asNobody;
  asNobody.uid = uid;
  asNobody.gid = gid;
  const ProcessOutcome run =
      Run({"site/read-only.html", "site/closed", "site/root's.html", "site/mine.html"}, asNobody);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.err),
            (std::vector<std::string>{
                "quarnel: site/read-only.html: the file is read-only",
                "quarnel: site/closed/page.html: cannot write in its folder: permission denied",
                "quarnel: site/root's.html: permission denied"}));
  const FileTally tally = CheckFiles(before, Snapshot(dir_ / "site"), forms, false, "nobody");
  EXPECT_EQ(tally.unchanged, 3);
  EXPECT_EQ(tally.replaced, 1) << "the page nobody may write is done";
  const TreeState after = Snapshot(dir_ / "site");
  EXPECT_EQ(after.at("mine.html").uid, uid);
  ReportFigure("ordinary user (nobody): read-only file, 0555 folder, another's file", 1, 3, tally);
}

TEST_F(OwnershipTest, RewriteKeepsModeOwnerAndAttributesAndLeavesOtherLinksAlone) {
  const std::string page = CompactablePage(8, 1);
  struct Case {
    const char* name;
    mode_t mode;
  };
  const Case cases[] = {{"site/a.html", 0751},
                        {"site/b.html", 0600},
                        {"site/c.html", 0640},
                        {"site/d.html", 06755},
                        {"site/e.html", 0604}};
  for (const Case& c : cases) {
    dir_.Write(c.name, page);
    ASSERT_EQ(::chmod((dir_ / c.name).c_str(), c.mode), 0);
  }
  const bool root = IsRoot();
  const passwd* nobody = ::getpwnam("nobody");
  if (root && nobody != nullptr) {
    ASSERT_EQ(::chown((dir_ / "site/b.html").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_EQ(::chmod((dir_ / "site/b.html").c_str(), 0600), 0);
  }
  const std::string a = dir_ / "site/a.html";
  const bool attributes = ::setxattr(a.c_str(), "user.quarnel.note", "kept", 4, 0) == 0;
  ASSERT_EQ(::link(a.c_str(), (dir_ / "other-link.html").c_str()), 0);
  const TreeState before = Snapshot(dir_ / "site");

  const ProcessOutcome run = Run({"site"});
  EXPECT_EQ(run.status, 0) << run.err;
  const TreeState after = Snapshot(dir_ / "site");
  for (const Case& c : cases) {
    const std::string name = std::string(c.name).substr(5);
    EXPECT_NE(after.at(name).bytes, page) << name << " is rewritten";
    EXPECT_EQ(after.at(name).mode, c.mode) << name;
    EXPECT_EQ(after.at(name).uid, before.at(name).uid) << name;
    EXPECT_EQ(after.at(name).gid, before.at(name).gid) << name;
  }
  if (attributes) {
    char value[8] = {};
    EXPECT_EQ(::getxattr(a.c_str(), "user.quarnel.note", value, sizeof value), 4);
    EXPECT_EQ(std::string_view(value, 4), "kept");
  }
  // The name compacted gets a new file; another link keeps the old one.
  EXPECT_EQ(TempFolder::Read(dir_ / "other-link.html"), page);
  struct stat st {};
  ::stat(a.c_str(), &st);
  EXPECT_EQ(st.st_nlink, 1u);
  FileTally tally;
  tally.files = static_cast<int>(std::size(cases));
  tally.replaced = tally.files;
  ReportFigure("metadata kept (mode, owner, attributes, links)", 1, 0, tally,
               root ? "as root: owner kept" : "not root: owner not tried");
}

TEST_F(OwnershipTest, BindMountAndSymbolicLinkLoopsEndAndTakeEachFileOnce) {
  for (const char* name : {"site/a.html", "site/sub/b.html", "site/sub/deeper/c.html"}) {
    dir_.Write(name, CompactablePage(4, 2));
  }
  std::filesystem::create_directory_symlink("../..", dir_ / "site/sub/deeper/up");
  std::string why;
  // The site shown again inside itself: a real folder, not a link.
  const auto loop = Mount::Bind(dir_ / "site", dir_ / "site/sub/loop", &why);
  if (!loop) GTEST_SKIP() << why;
  // And a second time, once more inside the first, so the loop goes deeper.
  const auto again = Mount::Bind(dir_ / "site", dir_ / "site/sub/loop/sub/loop", &why);

  const ProcessOutcome run = Run({"-nv", "site"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u) << run.out;
  std::set<std::string> seen;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    seen.insert(lines[i].substr(0, lines[i].find(" (")));
  }
  EXPECT_EQ(seen,
            (std::set<std::string>{"would rewrite site/a.html", "would rewrite site/sub/b.html",
                                   "would rewrite site/sub/deeper/c.html"}));
  EXPECT_TRUE(lines[3].starts_with("3 files examined")) << lines[3];

  const ProcessOutcome real = Run({"site"});
  EXPECT_EQ(real.status, 0) << real.err;
  FileTally tally;
  tally.files = 3;
  tally.replaced = static_cast<int>(seen.size());
  ReportFigure("folder loops (bind mount, symbolic link)", 2, 2, tally);
}

TEST_F(OwnershipTest, AnotherUsersLinkToAPageItMayNotChangeIsLeftAlone) {
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
  const auto link = [&](const std::string& target, const std::string& relative, uid_t owner) {
    ASSERT_EQ(::symlink(target.c_str(), (dir_ / relative).c_str()), 0);
    ASSERT_EQ(::lchown((dir_ / relative).c_str(), owner, owner == 0 ? 0 : gid), 0);
  };
  link(dir_ / "private/root.html", "site/evil.html", uid);
  link("own.html", "site/own-link.html", uid);
  link(dir_ / "private/root.html", "site/roots-link.html", 0);
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

TEST_F(OwnershipTest, AFolderSwappedForALinkNeverLeadsTheRunOutside) {
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
