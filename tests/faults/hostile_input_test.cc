// Hostile inputs to the program as a process: a million empty lines, lines
// of 10 MB, NUL bytes, CR-only and LF-only files, a tree 500 folders deep
// (and one too deep for any path), symbolic-link loops, fifos and devices
// named like pages, names with blanks, quotes, line feeds and bytes that are
// no UTF-8, a path given twice. None may crash or hang the program, and each
// page ends either as it was or in its compacted form. The 200 MB page is in
// huge_file_test.cc.
#include <dirent.h>

#include <set>

#include "tests/support/fault_support.h"

namespace quarnel {
namespace {

using namespace testing_support;
using namespace std::string_literals;

class HostileInputTest : public ::testing::Test {
 protected:
  HostileInputTest() { program_ = CopyProgram(dir_ / "bin"); }

  ProcessOutcome Run(std::vector<std::string> args) {
    args.insert(args.begin(), program_);
    ProcessOptions options;
    options.cwd = dir_.path();
    options.env = {"HOME=" + (dir_ / "home"), "XDG_CONFIG_HOME=" + (dir_ / "config")};
    return RunProcess(args, options);
  }

  // Writes each page, runs the program on `args` and checks each page
  // against what it must become.
  struct Page {
    std::string name;
    std::string before;
    std::string after;  // equal to `before`: left as it was, time and all
  };
  FileTally RunOn(const std::vector<Page>& pages, const std::vector<std::string>& args,
                  int status = 0) {
    for (const Page& page : pages) {
      dir_.Write(page.name, page.before);
      AgeFile(dir_ / page.name);
    }
    std::map<std::string, std::filesystem::file_time_type> times;
    for (const Page& page : pages) times[page.name] = ModificationTime(dir_ / page.name);
    const ProcessOutcome run = Run(args);
    EXPECT_EQ(run.status, status) << run.err;
    EXPECT_EQ(run.signal, 0);
    FileTally tally;
    for (const Page& page : pages) {
      ++tally.files;
      const std::string now = TempFolder::Read(dir_ / page.name);
      if (now == page.after && page.after == page.before) {
        EXPECT_EQ(ModificationTime(dir_ / page.name), times[page.name]) << page.name;
        ++tally.unchanged;
      } else if (now == page.after) {
        ++tally.replaced;
      } else {
        ++tally.corrupted;
        ADD_FAILURE() << page.name << ": " << now.size() << " bytes, expected "
                      << page.after.size();
      }
    }
    return tally;
  }

  TempFolder dir_;
  std::string program_;
};

TEST_F(HostileInputTest, OddLineEndsNulBytesAndHugeCounts) {
  const std::string tenMegabytes(10 << 20, 'a');
  std::string manyEmpty = "<head>\r\n";
  for (int i = 0; i < 1000000; ++i) manyEmpty += "\r\n";
  manyEmpty += "<p>x</p>\r\n";
  const std::vector<Page> pages = {
      {"nul.html", "<head>\r\n<p>a\0b</p>  \r\n\0\r\n"s, "<head>\r\n<p>a\0b</p>\r\n\0\r\n"s},
      {"cr-only.html", "<head>\r<p>a</p>  \r\r<p>b</p>\r", "<head>\r\n<p>a</p>\r\n<p>b</p>\r\n"},
      {"lf-only.html", "<head>\n<p>a</p>  \n\n", "<head>\n<p>a</p>\n"},
      {"lf-only-blank-end.html", "<head>\n<p>a</p>\n  ", "<head>\n<p>a</p>\n  "},
      {"empty.html", "", ""},
      {"only-line-ends.html", "\r\n\r\n\r\r\n\n", "\r\n\r\n\r\r\n\n"},
      {"million-empty.html", manyEmpty, "<head>\r\n<p>x</p>\r\n"},
      {"ten-megabyte-lines.html",
       "<head>\r\n" + tenMegabytes + "  \r\n" + tenMegabytes + "\r\n<p>c</p>\r\n",
       "<head>\r\n" + tenMegabytes + " " + tenMegabytes + "\r\n<p>c</p>\r\n"},
      {"ten-megabyte-tag.html", "<head>\r\n<p " + tenMegabytes + ">\t\r\n",
       "<head>\r\n<p " + tenMegabytes + ">\r\n"},
      {"invalid-bytes.html", "<head>\r\n\x80\xFF\xFE\x82  \r\n\xEF\xBB\r\n",
       "<head>\r\n\x80\xFF\xFE\x82 \xEF\xBB\r\n"},
  };
  std::vector<std::string> args;
  for (const Page& page : pages) args.push_back(page.name);
  const FileTally tally = RunOn(pages, args);
  EXPECT_EQ(tally.replaced, 7);
  ReportFigure("hostile contents (NUL, CR/LF-only, 1e6 empty lines, 10 MB lines)", 1,
               static_cast<long>(pages.size()), tally);
}

TEST_F(HostileInputTest, HostileNamesAndAPathGivenTwice) {
  const std::string page = "<head>\r\n<p>x</p>  \r\n";
  const std::string compacted = "<head>\r\n<p>x</p>\r\n";
  const std::vector<std::string> names = {
      "site/with blanks  .html",  "site/it's \"quoted\".html",
      "site/日本語のページ.html", "site/\xFF\xFE no utf-8 \x82\xA0.html",
      "site/line\nfeed.html",     "site/-v.html",
      "site/tab\there.HTM",       "site/ leading blank.shtml",
      "site/back\\slash.html"};
  std::vector<Page> pages;
  for (const std::string& name : names) pages.push_back({name, page, compacted});
  const std::string twice = CompactablePage(5, 9);
  dir_.Write("once/twice.html", twice);
  pages.push_back(
      {"twice.html", twice, CompactedForms(dir_ / "once", {"."}).at("twice.html").bytes});
  // Every page through the walk, then each by name, and one page twice.
  std::vector<std::string> args = {"site", "twice.html", "--"};
  for (const std::string& name : names) args.push_back(name);
  args.push_back("twice.html");
  args.push_back("./twice.html");
  const FileTally tally = RunOn(pages, args);
  EXPECT_EQ(tally.replaced, static_cast<int>(pages.size()));
  // Rewritten once: the second time the page is already compact.
  const ProcessOutcome again = Run({"-v", "twice.html", "twice.html"});
  EXPECT_EQ(again.out, "2 files examined, 0 rewritten, 0 failed; " +
                           std::to_string(2 * pages.back().after.size()) + " bytes before, " +
                           std::to_string(2 * pages.back().after.size()) + " after (0 saved)\n");
  ReportFigure("hostile names, a path given twice", 2, static_cast<long>(names.size()) + 1, tally);
}

TEST_F(HostileInputTest, LinkLoopsFifosAndDevicesNamedLikePagesAreToldNotWaitedOn) {
  const std::string page = "<head>\r\n<p>x</p>  \r\n";
  dir_.Write("site/fine.html", page);
  std::filesystem::create_symlink("b.html", dir_ / "site/a.html");
  std::filesystem::create_symlink("a.html", dir_ / "site/b.html");
  std::filesystem::create_symlink("self.html", dir_ / "site/self.html");
  std::filesystem::create_directory_symlink("..", dir_ / "site/up");
  std::filesystem::create_symlink("/dev/zero", dir_ / "site/zero.html");
  ASSERT_EQ(::mkfifo((dir_ / "site/fifo.html").c_str(), 0644), 0);

  // Through the walk (which passes the fifo over, as no plain file), then
  // each given by name.
  const ProcessOutcome walk = Run({"site", "site/fifo.html", "site/self.html"});
  EXPECT_EQ(walk.status, 1);
  std::multiset<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = walk.err.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.insert(walk.err.substr(start, end - start));
  }
  EXPECT_EQ(lines, (std::multiset<std::string>{
                       "quarnel: site/a.html: too many levels of symbolic links",
                       "quarnel: site/b.html: too many levels of symbolic links",
                       "quarnel: site/self.html: too many levels of symbolic links",
                       "quarnel: site/self.html: too many levels of symbolic links",
                       "quarnel: site/zero.html: not a regular file",
                       "quarnel: site/fifo.html: not a regular file"}));
  EXPECT_EQ(TempFolder::Read(dir_ / "site/fine.html"), "<head>\r\n<p>x</p>\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "site/a.html"));
  EXPECT_TRUE(std::filesystem::is_fifo(dir_ / "site/fifo.html"));
  FileTally tally;
  tally.files = 1;
  tally.replaced = 1;
  ReportFigure("link loops, a fifo and a device named like pages", 1, 6, tally);
}

// Creates `depth` nested folders named `name` under `root` through file
// descriptors (the whole path may be longer than any path the system
// takes), with `file` in the deepest and in the middle one.
void MakeDeepTree(const std::string& root, const std::string& name, int depth,
                  const std::string& file, const std::string& bytes) {
  int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  for (int level = 1; level <= depth; ++level) {
    ASSERT_EQ(::mkdirat(fd, name.c_str(), 0755), 0) << level;
    const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(fd);
    fd = next;
    ASSERT_GE(fd, 0);
    if (level == depth / 2 || level == depth) {
      const int out = ::openat(fd, file.c_str(), O_WRONLY | O_CREAT, 0644);
      ASSERT_EQ(::write(out, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
      ::close(out);
    }
  }
  ::close(fd);
}

// Removes a folder and everything in it through file descriptors, however
// deep.
void RemoveDeep(int parent, const char* name) {
  const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
  if (fd < 0) {
    ::unlinkat(parent, name, 0);
    return;
  }
  DIR* dir = ::fdopendir(fd);
  std::vector<std::string> entries;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string entryName = entry->d_name;
    if (entryName != "." && entryName != "..") entries.push_back(entryName);
  }
  for (const std::string& entry : entries) RemoveDeep(fd, entry.c_str());
  ::closedir(dir);
  ::unlinkat(parent, name, AT_REMOVEDIR);
}

// Reads a file through file descriptors, however deep.
std::string ReadDeep(const std::string& root, const std::string& name, int depth,
                     const std::string& file) {
  int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
  for (int level = 1; level <= depth && fd >= 0; ++level) {
    const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(fd);
    fd = next;
  }
  const int in = ::openat(fd, file.c_str(), O_RDONLY);
  ::close(fd);
  std::string bytes(4096, '\0');
  const ssize_t got = ::read(in, bytes.data(), bytes.size());
  ::close(in);
  bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return bytes;
}

TEST_F(HostileInputTest, TreeFiveHundredFoldersDeep) {
  const std::string page = "<head>\r\n<p>deep</p>  \r\n";
  const std::string compacted = "<head>\r\n<p>deep</p>\r\n";
  std::filesystem::create_directories(dir_ / "deep");
  std::filesystem::create_directories(dir_ / "too-deep");
  // Removed whatever happens: a path too long for the test folder's own
  // clean-up.
  struct Remover {
    std::string root;
    ~Remover() {
      const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
      RemoveDeep(fd, "too-deep");
      RemoveDeep(fd, "deep");
      ::close(fd);
    }
  } remover{dir_.path()};
  MakeDeepTree(dir_ / "deep", "d", 500, "page.html", page);
  // 500 folders of 20 characters: longer than any path the system takes.
  const std::string long_name(20, 'f');
  MakeDeepTree(dir_ / "too-deep", long_name, 500, "page.html", page);

  const ProcessOutcome run = Run({"too-deep", "deep"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.find("quarnel: too-deep: the folder too-deep/ffff"), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_EQ(ReadDeep(dir_ / "deep", "d", 250, "page.html"), compacted);
  EXPECT_EQ(ReadDeep(dir_ / "deep", "d", 500, "page.html"), compacted);
  EXPECT_EQ(ReadDeep(dir_ / "too-deep", long_name, 250, "page.html"), page)
      << "nothing of the path that cannot be walked whole is done";
  EXPECT_EQ(ReadDeep(dir_ / "too-deep", long_name, 500, "page.html"), page);
  FileTally tally;
  tally.files = 4;
  tally.replaced = 2;
  tally.unchanged = 2;
  ReportFigure("trees 500 folders deep", 1, 2, tally);
}

}  // namespace
}  // namespace quarnel
