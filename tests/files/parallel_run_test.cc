// Many file jobs at once: the pool hands the outcomes back in order and
// keeps within its memory budget, and a whole run with failures in it says
// and writes exactly what a run of one page after another does.
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "cli/batch_run.h"
#include "files/page_pool.h"
#include "settings/settings.h"
#include "tests/support/folder_env.h"
#include "tests/support/temp_folder.h"

namespace quarnel {
namespace {

using testing_support::FolderEnv;
using testing_support::TempFolder;

TEST(PagePoolTest, OutcomesComeBackInOrderWithinTheMemoryBudget) {
  // Pages 0 to 7 are small; page 0 finishes only once page 3 has, so the
  // workers really run side by side. Pages 8 to 11 are so large that each
  // fills the budget alone.
  constexpr std::uint64_t kLarge = PagePool::kMinBudget / 2;
  std::mutex mutex;
  std::condition_variable changed;
  bool third_done = false;
  std::atomic<int> large_in_flight = 0;
  std::atomic<int> most_large_at_once = 0;
  const auto job = [&](const std::string& path, const std::string&,
                       const std::optional<FolderId>&) {
    const int page = std::stoi(path);
    if (page == 0) {
      std::unique_lock lock(mutex);
      changed.wait(lock, [&] { return third_done; });
    }
    if (page == 3) {
      std::lock_guard lock(mutex);
      third_done = true;
      changed.notify_all();
    }
    if (page >= 8) {
      const int now = ++large_in_flight;
      most_large_at_once = std::max(most_large_at_once.load(), now);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      --large_in_flight;
    }
    PageOutcome outcome;
    outcome.kind = PageOutcome::Kind::kUnchanged;
    outcome.before = static_cast<std::uint64_t>(page);
    return outcome;
  };
  const auto weigh = [&](const std::string& path) {
    FileStamp stamp;
    stamp.known = true;
    stamp.inode = std::stoull(path) + 1;
    stamp.size = std::stoi(path) >= 8 ? kLarge : 1000;
    return stamp;
  };
  PagePool pool(4, job, weigh, nullptr);
  for (int page = 0; page < 12; ++page) pool.Add(std::to_string(page));
  for (int page = 0; page < 12; ++page) {
    const std::optional<PagePool::Done> done = pool.Next(/*wait=*/true);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->path, std::to_string(page));
    EXPECT_EQ(done->outcome.before, static_cast<std::uint64_t>(page));
  }
  EXPECT_FALSE(pool.Next(/*wait=*/true));
  EXPECT_EQ(most_large_at_once, 1);
  EXPECT_LE(pool.Workers(), 4u);
}

TEST(PagePoolTest, ADropOfOnePageStartsOneWorker) {
  const auto job = [](const std::string&, const std::string&, const std::optional<FolderId>&) {
    PageOutcome outcome;
    outcome.kind = PageOutcome::Kind::kUnchanged;
    return outcome;
  };
  PagePool pool(
      8, job, [](const std::string&) { return FileStamp(); }, nullptr);
  pool.Add("a.html");
  ASSERT_TRUE(pool.Next(/*wait=*/true));
  EXPECT_EQ(pool.Workers(), 1u);
}

TEST(PagePoolTest, APageGivenThreeTimesIsNeverWorkedOnTwiceAtOnce) {
  // Each job on "p" gives the file a new identity, as a rewrite does. The
  // third copy is added while the first runs, after its rewrite: it is
  // weighed with the new identity, the second copy with the old one.
  std::mutex mutex;
  std::condition_variable changed;
  std::uint64_t inode = 1;
  bool third_added = false;
  std::atomic<int> at_once = 0;
  std::atomic<int> most_at_once = 0;
  const auto weigh = [&](const std::string&) {
    std::lock_guard lock(mutex);
    FileStamp stamp;
    stamp.known = true;
    stamp.inode = inode;
    return stamp;
  };
  const auto job = [&](const std::string& path, const std::string&,
                       const std::optional<FolderId>&) {
    const int now = ++at_once;
    most_at_once = std::max(most_at_once.load(), now);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    {
      std::unique_lock lock(mutex);
      ++inode;
      if (path == "first") {
        changed.notify_all();
        changed.wait(lock, [&] { return third_added; });
      }
    }
    --at_once;
    return PageOutcome{};
  };
  PagePool pool(4, job, weigh, nullptr);
  pool.Add("first");
  pool.Add("second");
  {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return inode == 2; });
  }
  pool.Add("third");
  {
    std::lock_guard lock(mutex);
    third_added = true;
  }
  changed.notify_all();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(pool.Next(/*wait=*/true));
  EXPECT_EQ(most_at_once, 1);
}

// The whole run below makes read-only pages and a fifo the POSIX way.
#ifndef _WIN32

// Every file under `root` and what it holds.
std::map<std::string, std::string> Files(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file() && !entry.is_symlink()) {
      files[entry.path().string().substr(root.size())] = TempFolder::Read(entry.path());
    }
  }
  return files;
}

// A site with every kind of page and failure a run meets.
void WriteSite(const TempFolder& dir, const std::string& site) {
  for (int i = 0; i < 150; ++i) {
    std::string page = "<html>\r\n<head>\r\n<title>" + std::to_string(i) + "</title>  \r\n";
    for (int line = 0; line < (i % 13) * 40; ++line)
      page += "<p>text " + std::to_string(line) + "\r\nmore</p>\r\n\r\n";
    if (i % 17 == 0) page += "<pre>\r\ncode\r\n</pre>\r\n";
    if (i % 19 == 0) page = "<html>\n<head>\n</head>\n";             // line feeds alone
    if (i % 23 == 0) page += "<!--NO QUARNEL-->\r\n";                // opted out
    if (i % 29 == 0) page = "<head>\r\n<p>already compact</p>\r\n";  // nothing to do
    const std::string name = site + "/f" + std::to_string(i % 9) + "/p" + std::to_string(i) +
                             (i % 3 == 0 ? ".htm" : ".html");
    dir.Write(name, page);
    if (i % 31 == 0) ::chmod((dir / name).c_str(), 0444);  // read-only: a failure
  }
  dir.Write(site + "/f1/notes.txt", "not a page\r\n\r\n");
  ::mkfifo((dir / (site + "/f2/pipe.html")).c_str(), 0644);  // not a regular file
  dir.Write(site + "/.hidden/h.html", "<head>  \r\n");
}

TEST(ParallelRunTest, SaysAndWritesExactlyWhatOnePageAfterAnotherDoes) {
  TempFolder dir;
  struct Run {
    int status;
    std::string out;
    std::string err;
    std::map<std::string, std::string> files;
  };
  const auto run = [&](const std::string& jobs, const std::string& flags) {
    const std::string site = "site" + jobs + flags;
    WriteSite(dir, site);
    const std::string root = dir / site;
    FolderEnv env(dir / ("bin" + jobs + flags));
    std::filesystem::create_directories(env.ProgramFolder());
    Settings settings;
    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::string> args = {flags,
                                           "-j",
                                           jobs,
                                           root + "/f0",
                                           root + "/missing.html",
                                           root,
                                           root + "/f1/p1.html",
                                           root + "/f1/../f1/p1.html",
                                           root + "/.hidden",
                                           root + "/f4"};
    const int status = RunCommandLine(args, env, settings, out, err);
    // The site's own name is the only difference allowed.
    const auto relative = [&](std::string text) {
      for (std::size_t at; (at = text.find(root)) != std::string::npos;)
        text.replace(at, root.size(), "SITE");
      return text;
    };
    return Run{status, relative(out.str()), relative(err.str()), Files(root)};
  };
  for (const std::string flags : {"-v", "-nv"}) {
    const Run one = run("1", flags);
    const Run many = run("8", flags);
    EXPECT_EQ(one.status, 1) << flags;
    EXPECT_NE(one.out.find("blocks, kept as they are"), std::string::npos) << flags;
    EXPECT_NE(one.err.find("the file is read-only"), std::string::npos) << flags;
    EXPECT_EQ(many.status, one.status) << flags;
    EXPECT_EQ(many.out, one.out) << flags;
    EXPECT_EQ(many.err, one.err) << flags;
    EXPECT_TRUE(many.files == one.files) << flags;
  }
}

#else

TEST(ParallelRunTest, SaysAndWritesExactlyWhatOnePageAfterAnotherDoes) {
  GTEST_SKIP() << "the site is made with POSIX read-only bits and a fifo";
}

#endif  // _WIN32

}  // namespace
}  // namespace quarnel
