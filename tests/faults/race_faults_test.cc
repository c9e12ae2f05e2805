// The tree changing under a run: a file removed or replaced between the
// walk and its file job, a folder that vanishes while it is walked or before
// its files are done. Real files in a temporary folder; an Env that passes
// every call to the machine's makes the change at the chosen call, as
// another program could at that moment.
#include <functional>
#include <set>
#include <utility>

#include "files/work.h"
#include "platform/env_wrapper.h"
#include "settings/default_lists.h"
#include "tests/files/recording_observer.h"
#include "tests/support/fault_support.h"

namespace quarnel {
namespace {

using namespace testing_support;

// Runs an action once, just before the first read of any of the files, or
// the first search of any of the patterns, that it is set for.
class ChangingEnv final : public EnvWrapper {
 public:
  ChangingEnv() : EnvWrapper(*Env::Default()) {}

  void BeforeRead(std::set<std::string> paths, std::function<void()> action) {
    reads_.push_back({std::move(paths), std::move(action)});
  }
  void BeforeSearch(std::string pattern, std::function<void()> action) {
    searches_.push_back({{std::move(pattern)}, std::move(action)});
  }
  int changes() const { return changes_; }

  Status ReadFile(const std::string& path, std::string* contents,
                  FileStamp* stamp = nullptr) override {
    Fire(reads_, path);
    return EnvWrapper::ReadFile(path, contents, stamp);
  }
  Status StartSearch(const std::string& pattern, SearchDetail detail,
                     std::unique_ptr<FolderSearch>* search,
                     const FolderSearch* parent = nullptr) override {
    Fire(searches_, pattern);
    return EnvWrapper::StartSearch(pattern, detail, search, parent);
  }

 private:
  struct Change {
    std::set<std::string> keys;
    std::function<void()> action;  // empty once done
  };
  void Fire(std::vector<Change>& changes, const std::string& key) {
    for (Change& change : changes) {
      if (!change.action || change.keys.count(key) == 0) continue;
      std::exchange(change.action, nullptr)();
      ++changes_;
    }
  }

  std::vector<Change> reads_;
  std::vector<Change> searches_;
  int changes_ = 0;
};

class RaceTest : public ::testing::Test {
 protected:
  RaceTest() {
    settings_.DeleteLines = DefaultDeleteLines();
    settings_.JoinTags = DefaultJoinTags();
    for (const char* name : {"site/a.html", "site/b.html", "site/c.html", "site/sub/d.html",
                             "site/sub/e.html", "site/z/f.html", "next.html"}) {
      dir_.Write(name, CompactablePage(10, static_cast<unsigned>(std::strlen(name))));
      AgeFile(dir_ / name);
    }
    forms_ = CompactedForms(dir_.path(), {"site", "next.html"});
    before_ = Snapshot(dir_.path());
  }

  void Dispatch(std::initializer_list<std::string> paths) {
    Work work(env_, settings_, report_, OneJob(), &observer_);
    for (const std::string& path : paths) work.DispatchPath(dir_ / path);
  }

  // The failures told, as "path: reason" with the path relative.
  std::vector<std::string> Failures() const {
    std::vector<std::string> lines;
    for (const Status& failure : observer_.failures) {
      lines.push_back(failure.ToString().substr(dir_.path().size() + 1));
    }
    return lines;
  }

  // Checks every file that was not changed by the other party.
  FileTally Check(const std::vector<std::string>& changedByOthers, std::string_view kind) {
    TreeState before = before_;
    for (const std::string& path : changedByOthers) before.erase(path);
    TreeState after = Snapshot(dir_.path());
    for (const std::string& path : changedByOthers) after.erase(path);
    const FileTally tally = CheckFiles(before, after, forms_, false, kind);
    ReportFigure(kind, 1, env_.changes(), tally);
    return tally;
  }

  TempFolder dir_;
  ChangingEnv env_;
  Settings settings_;
  RecordingObserver observer_;
  WorkReport report_;
  TreeState forms_;
  TreeState before_;
};

TEST_F(RaceTest, FileRemovedBetweenTheWalkAndItsJob) {
  env_.BeforeRead({dir_ / "site/b.html"}, [&] { std::filesystem::remove(dir_ / "site/b.html"); });
  Dispatch({"site", "next.html"});
  EXPECT_EQ(Failures(), std::vector<std::string>{"site/b.html: no such file or folder"});
  EXPECT_FALSE(std::filesystem::exists(dir_ / "site/b.html")) << "not brought back";
  const FileTally tally = Check({"site/b.html"}, "file removed before its job");
  EXPECT_EQ(tally.replaced, tally.files) << "every other file, and the next path, is done";
}

TEST_F(RaceTest, FileReplacedBetweenTheWalkAndItsJobIsTakenAsItIsThen) {
  const std::string fresh = "<head>\r\n<p>new</p>   \r\n";
  env_.BeforeRead({dir_ / "site/b.html"}, [&] {
    dir_.Write("site/new.tmp", fresh);
    std::filesystem::rename(dir_ / "site/new.tmp", dir_ / "site/b.html");
  });
  Dispatch({"site", "next.html"});
  EXPECT_TRUE(observer_.failures.empty());
  EXPECT_EQ(TempFolder::Read(dir_ / "site/b.html"), "<head>\r\n<p>new</p>\r\n");
  const FileTally tally = Check({"site/b.html"}, "file replaced before its job");
  EXPECT_EQ(tally.replaced, tally.files);
}

TEST_F(RaceTest, FolderVanishingDuringTheWalkCancelsItsPathAndTheNextGoesOn) {
  env_.BeforeSearch(dir_ / "site/sub/*.*", [&] { std::filesystem::remove_all(dir_ / "site/sub"); });
  Dispatch({"site", "next.html"});
  ASSERT_EQ(Failures().size(), 1u);
  EXPECT_EQ(observer_.failures[0].path(), dir_ / "site");
  EXPECT_NE(observer_.failures[0].reason().find("site/sub cannot be listed"), std::string::npos)
      << observer_.failures[0].reason();
  const FileTally tally =
      Check({"site/sub/d.html", "site/sub/e.html"}, "folder vanishing during the walk");
  EXPECT_EQ(tally.replaced, 1) << "only the next path";
  EXPECT_EQ(tally.unchanged, 4) << "nothing of the cancelled path";
}

TEST_F(RaceTest, FolderVanishingBeforeItsFilesAreDone) {
  env_.BeforeRead({dir_ / "site/sub/d.html", dir_ / "site/sub/e.html"},
                  [&] { std::filesystem::rename(dir_ / "site/sub", dir_ / "elsewhere"); });
  Dispatch({"site", "next.html"});
  const std::vector<std::string> failures = Failures();
  EXPECT_EQ(std::set<std::string>(failures.begin(), failures.end()),
            (std::set<std::string>{"site/sub/d.html: no such file or folder",
                                   "site/sub/e.html: no such file or folder"}));
  EXPECT_EQ(TempFolder::Read(dir_ / "elsewhere/d.html"), before_.at("site/sub/d.html").bytes);
  EXPECT_EQ(TempFolder::Read(dir_ / "elsewhere/e.html"), before_.at("site/sub/e.html").bytes);
  const FileTally tally =
      Check({"site/sub/d.html", "site/sub/e.html", "elsewhere/d.html", "elsewhere/e.html"},
            "folder vanishing before its files");
  EXPECT_EQ(tally.replaced, tally.files);
}

TEST_F(RaceTest, FolderReplacedByAFileBeforeItsFilesAreDone) {
  env_.BeforeRead({dir_ / "site/z/f.html"}, [&] {
    std::filesystem::rename(dir_ / "site/z", dir_ / "elsewhere");
    dir_.Write("site/z", "a file now");
  });
  Dispatch({"site", "next.html"});
  EXPECT_EQ(Failures(),
            std::vector<std::string>{"site/z/f.html: a part of the path is not a folder"});
  EXPECT_EQ(TempFolder::Read(dir_ / "site/z"), "a file now");
  const FileTally tally =
      Check({"site/z/f.html", "site/z", "elsewhere/f.html"}, "folder replaced by a file");
  EXPECT_EQ(tally.replaced, tally.files);
}

}  // namespace
}  // namespace quarnel
