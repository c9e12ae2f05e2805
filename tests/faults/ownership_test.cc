// Who may change what: the program run as an ordinary user over pages it
// may not change, the metadata a rewrite keeps (permission bits, owner,
// extended attributes) and what it does to hard links, and a folder that
// reaches itself through a bind mount or a symbolic link.
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

}  // namespace
}  // namespace quarnel
