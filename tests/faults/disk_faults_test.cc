// The program as a process against file systems that really refuse: a full
// tmpfs, a tmpfs remounted read-only in the middle of a folder, immutable
// files and folders, and a settings folder that cannot be written at exit.
// Root is not stopped by permission bits, so these use what stops root too;
// each test skips itself, saying why, where that cannot be had.
#include <linux/fs.h>
#include <sys/ioctl.h>

#include "tests/support/fault_support.h"

namespace quarnel {
namespace {

using namespace testing_support;

constexpr std::string_view kOldSettings =
    "ZENTHARO QUARNEL VER 2.01.01\r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n</p>\r\n";

class DiskFaultTest : public ::testing::Test {
 protected:
  DiskFaultTest() { program_ = CopyProgram(dir_ / "bin"); }

  ProcessOutcome Run(std::vector<std::string> args, std::vector<std::string> env = {}) {
    args.insert(args.begin(), program_);
    ProcessOptions options;
    options.cwd = dir_.path();
    // Never the machine's own per-user folder.
    options.env = {"HOME=" + (dir_ / "home"), "XDG_CONFIG_HOME=" + (dir_ / "config")};
    options.env.insert(options.env.end(), env.begin(), env.end());
    return RunProcess(args, options);
  }

  TempFolder dir_;
  std::string program_;
};

// Lines of stderr, each checked to name the program.
std::vector<std::string> ErrorLines(const std::string& err) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = err.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(err.substr(start, end - start));
    EXPECT_TRUE(lines.back().starts_with("quarnel: ")) << lines.back();
  }
  EXPECT_EQ(start, err.size()) << "stderr ends with a whole line";
  return lines;
}

TEST_F(DiskFaultTest, FullDiskKeepsTheFileWholeAndTheNextPathIsDone) {
  std::string why;
  const auto disk = Mount::Tmpfs(dir_ / "disk", "size=2m", &why);
  if (!disk) GTEST_SKIP() << why;
  // The big page's rewrite needs about 1.1 MB beside its 1.3 MB: it cannot
  // fit. The small one and the one on the other disk can.
  dir_.Write("disk/big.html", CompactablePage(33000));
  dir_.Write("disk/small.html", CompactablePage(20, 1));
  dir_.Write("next.html", CompactablePage(20, 2));
  AgeFile(dir_ / "disk/big.html");
  const TreeState before = Snapshot(dir_.path() + "/disk");
  const TreeState beforeNext = Snapshot(dir_.path());
  ASSERT_GT(before.at("big.html").bytes.size(), 1200000u);
  const std::uint64_t freeBefore = FreeBytes(dir_ / "disk");
  const TreeState forms = CompactedForms(dir_ / "disk", {"big.html", "small.html"});

  const ProcessOutcome run = Run({"disk/big.html", "disk/small.html", "next.html"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(ErrorLines(run.err),
            std::vector<std::string>{"quarnel: disk/big.html: no space left on the device"});
  const FileTally tally = CheckFiles(before, Snapshot(dir_ / "disk"), forms, false, "full disk");
  EXPECT_EQ(tally.unchanged, 1);
  EXPECT_EQ(tally.replaced, 1) << "the page that fits is rewritten";
  EXPECT_NE(TempFolder::Read(dir_ / "next.html"), beforeNext.at("next.html").bytes)
      << "the path after the failure is done";
  EXPECT_GE(FreeBytes(dir_ / "disk"), freeBefore) << "no space is held by a lost temporary file";
  ReportFigure("full disk (tmpfs)", 1, 1, tally);
}

TEST_F(DiskFaultTest, FullDiskAtExitKeepsTheOldSettingsFile) {
  std::string why;
  const auto disk = Mount::Tmpfs(dir_ / "full", "size=1m", &why);
  if (!disk) GTEST_SKIP() << why;
  program_ = CopyProgram(dir_ / "full/bin");
  const std::string settings = dir_.Write("full/bin/Quarnel.ini", kOldSettings);
  AgeFile(settings);
  const std::string page = dir_.Write("page.html", "<head>\r\n   <p>x</p>\r\n");
  // Fill the disk to the last byte.
  {
    std::FILE* filler = std::fopen((dir_ / "full/filler").c_str(), "wb");
    const std::string block(4096, 'f');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
           std::fflush(filler) == 0) {
    }
    std::fclose(filler);
  }
  const TreeState before = Snapshot(dir_ / "full");

  const ProcessOutcome run = Run({"page.html"});
  EXPECT_EQ(run.status, 0) << "the pages were all done";
  EXPECT_EQ(ErrorLines(run.err),
            std::vector<std::string>{"quarnel: warning: " + dir_.path() +
                                     "/full/bin/Quarnel.ini: no space left on the device"});
  EXPECT_EQ(TempFolder::Read(page), "<head>\r\n<p>x</p>\r\n") << "its size-first mode was read";
  const FileTally tally = CheckFiles(before, Snapshot(dir_ / "full"), {}, false, "full at exit");
  EXPECT_EQ(tally.unchanged, tally.files);
  ReportFigure("settings file on a full disk", 1, 1, tally);
}

TEST_F(DiskFaultTest, ReadOnlyFileSystemInTheMiddleOfAFolder) {
  std::string why;
  const auto ro = Mount::Tmpfs(dir_ / "site/ro", "size=1m", &why);
  if (!ro) GTEST_SKIP() << why;
  for (const char* name : {"site/a.html", "site/ro/b.html", "site/ro/c.htm", "site/z.html",
                           "site/ro/deeper/d.shtml", "next.html"}) {
    dir_.Write(name, CompactablePage(30, static_cast<unsigned>(std::strlen(name))));
    AgeFile(dir_ / name);
  }
  const TreeState forms = CompactedForms(dir_.path(), {"site", "next.html"});
  if (!ro->SetReadOnly(true, &why)) GTEST_SKIP() << why;
  const TreeState before = Snapshot(dir_ / "site");

  const ProcessOutcome run = Run({"site", "next.html"});
  EXPECT_EQ(run.status, 1);
  const std::vector<std::string> errors = ErrorLines(run.err);
  EXPECT_EQ(errors.size(), 3u) << run.err;
  for (const std::string& line : errors) {
    EXPECT_TRUE(line.find("site/ro/") != std::string::npos) << line;
    EXPECT_TRUE(line.ends_with("read-only file system")) << line;
  }
  TreeState siteForms;
  for (const auto& [path, state] : forms) {
    if (path.starts_with("site/")) siteForms[path.substr(5)] = state;
  }
  const FileTally tally = CheckFiles(before, Snapshot(dir_ / "site"), siteForms, false, "ro");
  EXPECT_EQ(tally.unchanged, 3);
  EXPECT_EQ(tally.replaced, 2) << "the pages around the read-only mount are done";
  EXPECT_EQ(TempFolder::Read(dir_ / "next.html"), forms.at("next.html").bytes);
  ReportFigure("read-only file system", 1, 3, tally);
}

// Sets or clears the immutable flag; false when the file system has none.
bool SetImmutable(const std::string& path, bool on) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (ok) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return ok;
}

// Immutable entries, made mutable again when the test ends so that they can
// be removed.
class ImmutableEntries {
 public:
  ImmutableEntries(const ImmutableEntries&) = delete;
  ImmutableEntries() = default;
  ~ImmutableEntries() {
    for (const std::string& path : paths_) SetImmutable(path, false);
  }
  bool Add(const std::string& path) {
    if (!SetImmutable(path, true)) return false;
    paths_.push_back(path);
    return true;
  }

 private:
  std::vector<std::string> paths_;
};

TEST_F(DiskFaultTest, ImmutableFileAndFolderInTheMiddleOfAFolder) {
  if (!IsRoot()) GTEST_SKIP() << "needs root to make a file immutable";
  // The test folder's own file system if it keeps the flag, else a tmpfs,
  // else ext4 in an image.
  std::string where = dir_ / "here";
  std::unique_ptr<Mount> mount;
  std::string why;
  const auto probe = [](const std::string& folder) {
    const std::string file = folder + "/probe";
    std::filesystem::create_directories(folder);
    std::FILE* f = std::fopen(file.c_str(), "w");
    if (f != nullptr) std::fclose(f);
    const bool ok = SetImmutable(file, true);
    SetImmutable(file, false);
    std::filesystem::remove(file);
    return ok;
  };
  if (!probe(where)) {
    where = dir_ / "tmpfs";
    mount = Mount::Tmpfs(where, "size=4m", &why);
    if (!mount || !probe(where)) {
      mount.reset();
      where = dir_ / "ext4";
      mount = Mount::Ext4Image(dir_ / "ext4.img", where, 8, &why);
      if (!mount || !probe(where)) GTEST_SKIP() << "no file system here keeps the immutable flag";
    }
  }
  const std::string site = where + "/site";
  for (const char* name : {"a.html", "b.html", "c.html", "frozen/d.html", "frozen/e.htm"}) {
    dir_.Write(site.substr(dir_.path().size() + 1) + "/" + name, CompactablePage(25, 3));
  }
  const TreeState forms = CompactedForms(site, {"."});
  ImmutableEntries immutable;
  ASSERT_TRUE(immutable.Add(site + "/b.html"));
  ASSERT_TRUE(immutable.Add(site + "/frozen"));
  const TreeState before = Snapshot(site);

  const ProcessOutcome run = Run({site});
  EXPECT_EQ(run.status, 1);
  const std::vector<std::string> errors = ErrorLines(run.err);
  EXPECT_EQ(errors.size(), 3u) << run.err;
  for (const std::string& line : errors) {
    EXPECT_TRUE(line.find("/b.html: ") != std::string::npos ||
                line.find("/frozen/") != std::string::npos)
        << line;
    EXPECT_TRUE(line.ends_with("permission denied")) << line;
  }
  const FileTally tally = CheckFiles(before, Snapshot(site), forms, false, "immutable");
  EXPECT_EQ(tally.unchanged, 3);
  EXPECT_EQ(tally.replaced, 2);
  ReportFigure("immutable file and folder", 1, 3, tally);
}

TEST_F(DiskFaultTest, SettingsFolderUnwritableAtExitEndsNormallyWithAMessage) {
  std::string why;
  const auto ro = Mount::Tmpfs(dir_ / "ro", "size=4m", &why);
  if (!ro) GTEST_SKIP() << why;
  // An installed copy: its folder and the per-user folder both on a
  // read-only file system.
  program_ = CopyProgram(dir_ / "ro/bin");
  dir_.Write("ro/bin/Quarnel.ini", kOldSettings);
  std::filesystem::create_directories(dir_ / "ro/home/.config");
  if (!ro->SetReadOnly(true, &why)) GTEST_SKIP() << why;
  const TreeState before = Snapshot(dir_ / "ro");
  const std::string page = dir_.Write("page.html", "<head>\r\n   <p>x</p>\r\n");

  const ProcessOutcome run = Run({"page.html"}, {"HOME=" + (dir_ / "ro/home"),
                                                 "XDG_CONFIG_HOME=" + (dir_ / "ro/home/.config")});
  EXPECT_EQ(run.status, 0);
  const std::vector<std::string> errors = ErrorLines(run.err);
  ASSERT_EQ(errors.size(), 1u) << run.err;
  EXPECT_TRUE(
      errors[0].starts_with("quarnel: warning: " + dir_.path() + "/ro/home/.config/quarnel"))
      << errors[0];
  EXPECT_TRUE(errors[0].ends_with("read-only file system")) << errors[0];
  EXPECT_EQ(TempFolder::Read(page), "<head>\r\n<p>x</p>\r\n") << "the old settings were used";
  const FileTally tally = CheckFiles(before, Snapshot(dir_ / "ro"), {}, false, "settings ro");
  EXPECT_EQ(tally.unchanged, tally.files);
  ReportFigure("settings folder read-only at exit", 1, 1, tally);
}

}  // namespace
}  // namespace quarnel
