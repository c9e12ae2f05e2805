// The dispatcher and the folder walk on the real file system.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include "platform/windows_include.h"
#endif

#include <algorithm>
#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "files/folder_walk.h"
#include "files/work.h"
#include "platform/env_wrapper.h"
#include "tests/files/recording_observer.h"
#include "tests/support/temp_folder.h"

namespace quarnel {
namespace {

using testing_support::FsPath;
using testing_support::MakeHidden;
using testing_support::OneJob;
using testing_support::RecordingObserver;
using testing_support::TempFolder;
using testing_support::Utf8;

constexpr std::string_view kPage = "<head>\r\n<p>x</p>  \r\n";

// Holds a temporary file as the run writing it does: locked on POSIX, open
// and shared with no one on Windows.
class LiveWriter {
 public:
  explicit LiveWriter(const std::string& path) {
#ifdef _WIN32
    file_ = ::CreateFileW(FsPath(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file_, INVALID_HANDLE_VALUE);
#else
    fd_ = ::open(path.c_str(), O_RDONLY);
    EXPECT_EQ(::flock(fd_, LOCK_EX), 0);
#endif
  }
  LiveWriter(const LiveWriter&) = delete;
  LiveWriter& operator=(const LiveWriter&) = delete;
  ~LiveWriter() {
#ifdef _WIN32
    ::CloseHandle(file_);
#else
    ::close(fd_);
#endif
  }

 private:
#ifdef _WIN32
  HANDLE file_;
#else
  int fd_;
#endif
};

std::vector<std::string> Expand(const std::string& folder,
                                std::vector<std::string>* folders = nullptr) {
  FileMain fileMain(*Env::Default());
  std::vector<std::string> paths;
  EXPECT_TRUE(fileMain.ExpandFolder(folder, WalkPatterns(), paths).ok());
  if (folders != nullptr) *folders = fileMain.FolderList();
  return paths;
}

// Which of the three patterns collects a name: 0 for .htm, 1 for .html, 2
// for .shtml (any case).
int PatternGroup(const std::string& path) {
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower.ends_with(".shtml")) return 2;
  if (lower.ends_with(".html")) return 1;
  return 0;
}

TEST(WalkTest, CollectsEveryHtmlFileOnceFolderByFolderPatternByPattern) {
  TempFolder dir;
  const std::string root = dir / "site";
  for (const char* name :
       {"site/b.html", "site/a.htm", "site/INDEX.HTM", "site/c.shtml", "site/Page.HTML",
        "site/X.SHTML", "site/z.htm", "site/notes.txt", "site/e.htmx", "site/.hidden.html",
        "site/sub/deep/y.htm", "site/sub/x.html", "site/sub2/w.shtml", "site/.git/h.html",
        "site/empty/readme.txt"}) {
    dir.Write(name, kPage);
  }
  MakeHidden(dir / "site/.hidden.html");
  MakeHidden(dir / "site/.git");
  std::filesystem::create_directory(FsPath(dir / "site/bare"));

  std::vector<std::string> folders;
  const std::vector<std::string> paths = Expand(root, &folders);

  // FolderList: the folder itself first, then depth first; hidden folders
  // are walked too.
  ASSERT_EQ(folders.size(), 7u);
  EXPECT_EQ(folders[0], root);
  EXPECT_EQ(std::set<std::string>(folders.begin(), folders.end()),
            (std::set<std::string>{root, dir / "site/sub", dir / "site/sub/deep", dir / "site/sub2",
                                   dir / "site/.git", dir / "site/empty", dir / "site/bare"}));
  const auto sub = std::find(folders.begin(), folders.end(), dir / "site/sub");
  ASSERT_TRUE(sub != folders.end() && sub + 1 != folders.end());
  EXPECT_EQ(*(sub + 1), dir / "site/sub/deep") << "a sub-folder's own sub-folders come next";

  std::set<std::string> expected;
  for (const char* name :
       {"b.html", "a.htm", "INDEX.HTM", "c.shtml", "Page.HTML", "X.SHTML", "z.htm",
        "sub/deep/y.htm", "sub/x.html", "sub2/w.shtml", ".git/h.html"}) {
    expected.insert(dir / (std::string("site/") + name));
  }
  EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()), expected);
  EXPECT_EQ(paths.size(), 11u) << "each file exactly once";

  // The order: by FolderList position, then by pattern.
  std::map<std::string, std::size_t> folderIndex;
  for (std::size_t i = 0; i < folders.size(); ++i) folderIndex[folders[i]] = i;
  for (std::size_t i = 1; i < paths.size(); ++i) {
    const auto key = [&](const std::string& p) {
      const auto folder = folderIndex.find(Utf8(FsPath(p).parent_path()));
      EXPECT_NE(folder, folderIndex.end()) << p;
      return std::make_pair(folder == folderIndex.end() ? 0 : folder->second, PatternGroup(p));
    };
    EXPECT_LE(key(paths[i - 1]), key(paths[i])) << paths[i - 1] << " before " << paths[i];
  }
}

TEST(WalkTest, TrailingSeparatorGivesTheSameFiles) {
  TempFolder dir;
  dir.Write("site/a.html", kPage);
  dir.Write("site/sub/b.htm", kPage);
  std::vector<std::string> folders;
  const std::vector<std::string> with = Expand(dir / "site/", &folders);
  EXPECT_EQ(folders[0], dir / "site/");
  const std::vector<std::string> without = Expand(dir / "site");
  EXPECT_EQ(with, without);
  EXPECT_EQ(std::set<std::string>(with.begin(), with.end()),
            (std::set<std::string>{dir / "site/a.html", dir / "site/sub/b.htm"}));
}

TEST(WalkTest, SymbolicLinkLoopEndsAndLinkedFilesAreTakenOnce) {
#ifdef _WIN32
  GTEST_SKIP() << "a symbolic link needs a privilege on Windows that a test cannot count on";
#endif
  TempFolder dir;
  dir.Write("site/a.html", kPage);
  dir.Write("site/sub/b.html", kPage);
  const std::string outside = dir.Write("outside/c.html", kPage);
  std::filesystem::create_directory_symlink("..", dir / "site/sub/up");       // a loop
  std::filesystem::create_directory_symlink("../outside", dir / "site/out");  // a folder link
  std::filesystem::create_symlink("../outside/c.html", dir / "site/link.html");
  std::filesystem::create_symlink("nowhere.html", dir / "site/dangling.html");

  std::vector<std::string> folders;
  const std::vector<std::string> paths = Expand(dir / "site", &folders);
  EXPECT_EQ(std::set<std::string>(folders.begin(), folders.end()),
            (std::set<std::string>{dir / "site", dir / "site/sub"}));
  // A link to a file is a file: it is listed, and the file job follows it.
  EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()),
            (std::set<std::string>{dir / "site/a.html", dir / "site/sub/b.html",
                                   dir / "site/link.html", dir / "site/dangling.html"}));
}

// The machine's Env, but one folder answers with another's id, as a bind
// mount of that folder would (the fault tests mount a real one).
class AliasingEnv final : public EnvWrapper {
 public:
  AliasingEnv(std::string alias, std::string folder)
      : EnvWrapper(*Env::Default()), alias_(std::move(alias)), folder_(std::move(folder)) {}
  bool GetFolderId(const std::string& path, FolderId* id) override {
    return target().GetFolderId(path == alias_ ? folder_ : path, id);
  }

 private:
  std::string alias_;
  std::string folder_;
};

TEST(WalkTest, FolderReachedUnderASecondPathIsWalkedOnce) {
  TempFolder dir;
  dir.Write("site/a.html", kPage);
  dir.Write("site/b/in-b.html", kPage);
  dir.Write("site/b/deeper/d.html", kPage);
  dir.Write("site/z/in-z.html", kPage);
  const auto walk = [&](const std::string& alias, const std::string& folder) {
    AliasingEnv env(dir / alias, dir / folder);
    FileMain fileMain(env);
    std::vector<std::string> paths;
    EXPECT_TRUE(fileMain.ExpandFolder(dir / "site", WalkPatterns(), paths).ok());
    const std::vector<std::string>& list = fileMain.FolderList();
    return std::make_pair(std::set<std::string>(list.begin(), list.end()), paths);
  };
  // site/b/deeper shows site/b again, a loop: it is passed over.
  {
    const auto [folders, paths] = walk("site/b/deeper", "site/b");
    EXPECT_EQ(folders, (std::set<std::string>{dir / "site", dir / "site/b", dir / "site/z"}));
    EXPECT_EQ(paths.size(), 3u);
  }
  // A sub-folder that shows the walked folder itself.
  {
    const auto [folders, paths] = walk("site/z", "site");
    EXPECT_EQ(folders,
              (std::set<std::string>{dir / "site", dir / "site/b", dir / "site/b/deeper"}));
    EXPECT_EQ(paths.size(), 3u);
  }
  // Two siblings showing one folder: whichever the walk meets first counts.
  {
    const auto [folders, paths] = walk("site/z", "site/b");
    EXPECT_EQ(folders.count(dir / "site/b") + folders.count(dir / "site/z"), 1u);
    EXPECT_EQ(folders.size(), folders.count(dir / "site/b") == 1 ? 3u : 2u);
  }
}

// The machine's Env, but a folder's attributes can be read only once: it
// vanishes, or its device fails, right after the dispatcher has seen it.
class FleetingFolderEnv final : public EnvWrapper {
 public:
  explicit FleetingFolderEnv(std::string folder)
      : EnvWrapper(*Env::Default()), folder_(std::move(folder)) {}
  std::uint32_t GetFileAttributes(const std::string& path) override {
    if (path == folder_ && queried_++ > 0) return kInvalidAttributes;
    return target().GetFileAttributes(path);
  }

 private:
  std::string folder_;
  int queried_ = 0;
};

TEST(WalkTest, FolderWhoseAttributesCannotBeReadAgainIsAFailureNotAnEmptyFolder) {
  TempFolder dir;
  dir.Write("site/a.html", kPage);
  FleetingFolderEnv env(dir / "site");
  Settings settings;
  RecordingObserver observer;
  WorkReport report;
  Work(env, settings, report, OneJob(), &observer).DispatchPath(dir / "site");
  ASSERT_EQ(observer.failures.size(), 1u);
  EXPECT_EQ(observer.failures[0].ToString(),
            dir / "site: the folder can no longer be read; nothing in it was processed");
  EXPECT_EQ(TempFolder::Read(dir / "site/a.html"), kPage);
  // A path that is no folder at all expands to nothing, without a word.
  FileMain fileMain(*Env::Default());
  std::vector<std::string> paths;
  EXPECT_TRUE(fileMain.ExpandFolder(dir / "site/a.html", WalkPatterns(), paths).ok());
  EXPECT_TRUE(paths.empty());
}

class DispatchPathTest : public ::testing::Test {
 protected:
  void Dispatch(std::initializer_list<std::string> paths) {
    Work work(*Env::Default(), settings_, report_, OneJob(), &observer_);
    for (const std::string& path : paths) work.DispatchPath(path);
  }

  TempFolder dir_;
  Settings settings_;
  RecordingObserver observer_;
  WorkReport report_;
};

TEST_F(DispatchPathTest, FolderFilesAndMissingPathsEachGetTheirDue) {
  const std::string a = dir_.Write("site/a.html", kPage);
  const std::string b = dir_.Write("site/sub/B.HTM", kPage);
  const std::string single = dir_.Write("single.htm", kPage);
#ifndef _WIN32  // a symbolic link needs a privilege on Windows
  const std::string linked = dir_.Write("elsewhere/t.html", kPage);
  std::filesystem::create_symlink("../elsewhere/t.html", dir_ / "site/link.html");
#endif

  Dispatch({dir_ / "missing", dir_ / "site", single, dir_ / "notes.txt"});

  for (const std::string& path : {a, b, single}) {
    EXPECT_EQ(TempFolder::Read(path), "<head>\r\n<p>x</p>\r\n") << path;
  }
  ASSERT_EQ(observer_.failures.size(), 2u);
  EXPECT_EQ(observer_.failures[0].ToString(), dir_ / "missing" + ": no such file or folder");
  EXPECT_EQ(observer_.failures[1].path(), dir_ / "notes.txt");
#ifndef _WIN32
  EXPECT_EQ(TempFolder::Read(linked), "<head>\r\n<p>x</p>\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "site/link.html"));
  EXPECT_EQ(report_.filesRewritten(), 4);
#else
  EXPECT_EQ(report_.filesRewritten(), 3);
#endif
}

TEST_F(DispatchPathTest, FolderThatIsNotPlainIsNotWalkedButTold) {
#ifdef _WIN32
  GTEST_SKIP() << "a symbolic link needs a privilege on Windows that a test cannot count on";
#endif
  dir_.Write(".site/a.html", kPage);
  dir_.Write("real/b.html", kPage);
  std::filesystem::create_directory_symlink("real", dir_ / "linked");
  Dispatch({dir_ / ".site", dir_ / "linked"});
  EXPECT_EQ(observer_.not_walked, (std::vector<std::string>{dir_ / ".site", dir_ / "linked"}));
  EXPECT_EQ(observer_.not_walked_attributes[0] & (kAttrDirectory | kAttrHidden),
            kAttrDirectory | kAttrHidden);
  EXPECT_NE(observer_.not_walked_attributes[1] & kAttrReparsePoint, 0u);
  EXPECT_EQ(report_.filesExamined(), 0);
  EXPECT_TRUE(observer_.failures.empty());
}

TEST_F(DispatchPathTest, WalkRemovesAbandonedTemporaryFilesButNoLiveOne) {
  dir_.Write("site/a.html", kPage);
  const std::string abandoned = dir_.Write("site/sub/.b.html.quarnel-Ab3xY9.tmp", "half");
  const std::string live = dir_.Write("site/.c.html.quarnel-zz0000.tmp", "being written");
  const std::string lookalike = dir_.Write("site/.d.html.quarnel-ab.tmp", "not ours");
  {
    const LiveWriter another_run(live);
    Dispatch({dir_ / "site"});
  }
  EXPECT_FALSE(std::filesystem::exists(FsPath(abandoned)));
  EXPECT_TRUE(std::filesystem::exists(FsPath(live)));
  EXPECT_TRUE(std::filesystem::exists(FsPath(lookalike)));
  EXPECT_EQ(observer_.temp_files_removed, std::vector<std::string>{abandoned});
  EXPECT_EQ(report_.filesRewritten(), 1);

  // A dry run removes nothing.
  const std::string again = dir_.Write("site/.e.html.quarnel-000000.tmp", "half");
  WorkReport report;
  Work(*Env::Default(), settings_, report, OneJob(/*dry_run=*/true)).DispatchPath(dir_ / "site");
  EXPECT_TRUE(std::filesystem::exists(FsPath(again)));
}

TEST_F(DispatchPathTest, UnreadableSubFolderCancelsThePathAndIsTold) {
#ifdef _WIN32
  GTEST_SKIP() << "a folder is made unreadable by its access list on Windows, which Wine ignores";
#else
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  const std::string a = dir_.Write("site/a.html", kPage);
  dir_.Write("site/locked/b.html", kPage);
  const std::string other = dir_.Write("other.html", kPage);
  ::chmod((dir_ / "site/locked").c_str(), 0);
  Dispatch({dir_ / "site", other});
  ::chmod((dir_ / "site/locked").c_str(), 0755);
  EXPECT_EQ(TempFolder::Read(a), kPage) << "no file of the path is processed";
  EXPECT_EQ(TempFolder::Read(other), "<head>\r\n<p>x</p>\r\n");
  ASSERT_EQ(observer_.failures.size(), 1u);
  EXPECT_EQ(observer_.failures[0].path(), dir_ / "site");
#endif
}

// Fails the search of any folder whose path holds `folder`, from its
// `fail_from`-th search on (1: every search), and counts every search.
class FailingSearchEnv : public EnvWrapper {
 public:
  FailingSearchEnv(std::string folder, int fail_from)
      : EnvWrapper(*Env::Default()), folder_(std::move(folder)), fail_from_(fail_from) {}
  Status StartSearch(const std::string& pattern, SearchDetail detail,
                     std::unique_ptr<FolderSearch>* search, const FolderSearch* parent) override {
    ++searches;
    if (pattern.find(folder_) != std::string::npos && ++searches_of_folder_ >= fail_from_) {
      return Status::IOError(pattern, "permission denied");
    }
    return EnvWrapper::StartSearch(pattern, detail, search, parent);
  }
  int searches = 0;

 private:
  const std::string folder_;
  const int fail_from_;
  int searches_of_folder_ = 0;
};

TEST_F(DispatchPathTest, FolderNotListedCancelsThePathUnlessOnlyTheSecondWalkMeetsIt) {
  const std::string a = dir_.Write("site/a.html", kPage);
  const std::string b = dir_.Write("site/locked/b.html", kPage);
  const std::string compacted = "<head>\r\n<p>x</p>\r\n";
  RunConfig config = OneJob();
  config.pages_ahead = 1;  // more pages than the first walk keeps: it walks again
  {
    FailingSearchEnv env("locked", /*fail_from=*/1);
    Work(env, settings_, report_, config, &observer_).DispatchPath(dir_ / "site");
    EXPECT_EQ(TempFolder::Read(a), kPage) << "a page listed before the failure";
    ASSERT_EQ(observer_.failures.size(), 1u);
    EXPECT_EQ(observer_.failures[0].path(), dir_ / "site");
  }
  // A folder that turns unreadable after the first walk stops the path
  // there: what was handed on before it stands.
  FailingSearchEnv env("locked", /*fail_from=*/2);
  Work(env, settings_, report_, config, &observer_).DispatchPath(dir_ / "site");
  EXPECT_EQ(TempFolder::Read(a), compacted);
  EXPECT_EQ(TempFolder::Read(b), kPage);
  EXPECT_EQ(observer_.failures.size(), 2u);
}

// Hears when the first page is told, and how many searches had run then.
class FirstPageObserver final : public RunObserver {
 public:
  explicit FirstPageObserver(const FailingSearchEnv& env) : env_(env) {}
  void PageDone(const std::string&, const PageOutcome&) override {
    if (searches_at_first_page < 0) searches_at_first_page = env_.searches;
  }
  int searches_at_first_page = -1;

 private:
  const FailingSearchEnv& env_;
};

TEST_F(DispatchPathTest, PagesAreToldWhileTheWalkGoesOn) {
  constexpr int kFolders = 300;
  for (int i = 0; i < kFolders; ++i) dir_.Write("site/f" + std::to_string(i) + "/p.html", kPage);
  FailingSearchEnv env("no folder has this name", 1);
  FirstPageObserver observer(env);
  RunConfig config;
  config.jobs = 2;
  config.pages_ahead = 16;  // the walk waits for the workers
  Work(env, settings_, report_, config, &observer).DispatchPath(dir_ / "site");
  EXPECT_EQ(report_.filesRewritten(), kFolders);
  // Both walks search every folder once: the first page is told before the
  // second walk has ended.
  EXPECT_EQ(env.searches, 2 * (kFolders + 1));
  EXPECT_GT(observer.searches_at_first_page, 0);
  EXPECT_LT(observer.searches_at_first_page, env.searches);
}

TEST(CutAtNulTest, CutsAtTheFirstNul) {
  EXPECT_EQ(CutAtNul(std::string_view("abc\0def\0", 8)), "abc");
  EXPECT_EQ(CutAtNul(std::string_view("\0x", 2)), "");
  EXPECT_EQ(CutAtNul(std::string(260, 'n')), std::string(260, 'n'));
  EXPECT_EQ(CutAtNul(""), "");
}

}  // namespace
}  // namespace quarnel
