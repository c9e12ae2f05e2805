// The dispatcher and the walk on the in-memory Windows file system, for
// what Linux cannot produce: attribute values such as 17 and 48, hidden and
// system files, short-name aliases, names of 260 characters, failing
// searches.
#include <gtest/gtest.h>

#include "files/folder_walk.h"
#include "files/work.h"
#include "platform/env_wrapper.h"
#include "platform/mem_env.h"
#include "tests/files/recording_observer.h"

namespace quarnel {
namespace {

using testing_support::OneJob;
using testing_support::RecordingObserver;
using Paths = std::vector<std::string>;

constexpr std::string_view kPage = "<head>\r\n<p>x</p>  \r\n";
constexpr std::string_view kCompacted = "<head>\r\n<p>x</p>\r\n";

class WindowsWalkTest : public ::testing::Test {
 protected:
  Paths Expand(const std::string& folder, Paths* folders = nullptr) {
    FileMain fileMain(env_);
    Paths paths;
    const Status status = fileMain.ExpandFolder(folder, WalkPatterns(), paths);
    EXPECT_TRUE(status.ok()) << status.ToString();
    if (folders != nullptr) *folders = fileMain.FolderList();
    EXPECT_EQ(env_.open_searches(), 0u);
    return paths;
  }

  void Dispatch(std::initializer_list<std::string> paths) {
    Work work(env_, settings_, report_, OneJob(), &observer_);
    for (const std::string& path : paths) work.DispatchPath(path);
  }

  MemEnv env_;
  Settings settings_;
  RecordingObserver observer_;
  WorkReport report_;
};

TEST_F(WindowsWalkTest, ObserverHearsOfEveryEntryListedAndEveryPage) {
  env_.AddFile(R"(C:\site\a.html)", kPage);
  env_.AddFile(R"(C:\site\notes.txt)", "text");
  env_.AddFile(R"(C:\site\sub\b.htm)", kPage);
  Dispatch({R"(C:\site)"});
  // ".", "..", a.html, notes.txt and sub in the site; ".", ".." and b.htm
  // in sub.
  EXPECT_EQ(observer_.entries_listed, 8);
  EXPECT_EQ(observer_.pages_started, 2);
  EXPECT_EQ(observer_.rewritten, (Paths{R"(C:\site\a.html)", R"(C:\site\sub\b.htm)"}));
}

TEST_F(WindowsWalkTest, FolderOrderAndPatternOrderAreExact) {
  env_.AddFile(R"(C:\site\z.shtml)", kPage);
  env_.AddFile(R"(C:\site\b.html)", kPage);
  env_.AddFile(R"(C:\site\a.htm)", kPage);
  env_.AddFolder(R"(C:\site\two)");
  env_.AddFile(R"(C:\site\one\x.htm)", kPage);
  env_.AddFile(R"(C:\site\one\deep\y.html)", kPage);
  env_.AddFile(R"(C:\site\two\w.htm)", kPage);
  Paths folders;
  EXPECT_EQ(Expand(R"(C:\site)", &folders),
            (Paths{R"(C:\site\a.htm)", R"(C:\site\b.html)", R"(C:\site\z.shtml)",
                   R"(C:\site\two\w.htm)", R"(C:\site\one\x.htm)", R"(C:\site\one\deep\y.html)"}));
  EXPECT_EQ(folders,
            (Paths{R"(C:\site)", R"(C:\site\two)", R"(C:\site\one)", R"(C:\site\one\deep)"}));
}

TEST_F(WindowsWalkTest, ShortAliasesNeverHideOrDoubleAFile) {
  // With aliases, "*.htm" lists a.html and e.htmx as well. A name listed
  // before another no longer ends that pattern's listing.
  env_.AddFile(R"(C:\site\a.html)", kPage, kAttrArchive, "A~1.HTM");
  env_.AddFile(R"(C:\site\b.htm)", kPage, kAttrArchive, "B.HTM");
  env_.AddFile(R"(C:\site\e.htmx)", kPage, kAttrArchive, "E~1.HTM");
  env_.AddFile(R"(C:\site\INDEX.HTM)", kPage, kAttrArchive, "INDEX.HTM");
  env_.AddFile(R"(C:\site\c.htm)", kPage, kAttrArchive, "C.HTM");
  env_.AddFile(R"(C:\site\d.shtml)", kPage, kAttrArchive, "D~1.SHT");
  EXPECT_EQ(Expand(R"(C:\site)"),
            (Paths{R"(C:\site\b.htm)", R"(C:\site\INDEX.HTM)", R"(C:\site\c.htm)",
                   R"(C:\site\a.html)", R"(C:\site\d.shtml)"}));
}

// Passes everything to a MemEnv, counts the searches, and can make the
// search for every entry ("*.*") of one folder fail while its pattern
// searches still work.
class SearchCountingEnv final : public EnvWrapper {
 public:
  explicit SearchCountingEnv(MemEnv& base) : EnvWrapper(base) {}
  std::string fail_every_entry_in;  // a folder with its separator
  int searches = 0;

  Status StartSearch(const std::string& pattern, SearchDetail detail,
                     std::unique_ptr<FolderSearch>* search,
                     const FolderSearch* parent = nullptr) override {
    return Count(pattern) ? EnvWrapper::StartSearch(pattern, detail, search, parent)
                          : Status::IOError(pattern, "the device is not ready");
  }

 private:
  // Counts the search; false when it is to fail.
  bool Count(const std::string& pattern) {
    ++searches;
    return fail_every_entry_in.empty() || pattern != fail_every_entry_in + "*.*";
  }
};

TEST_F(WindowsWalkTest, WalkedFoldersAreSearchedOnceAndOneThatCannotBeReadFailsThePath) {
  env_.AddFile(R"(C:\site\a.html)", kPage, kAttrArchive, "A~1.HTM");
  env_.AddFile(R"(C:\site\b.htm)", kPage, kAttrArchive, "B.HTM");
  env_.AddFile(R"(C:\site\e.htmx)", kPage, kAttrArchive, "E~1.HTM");
  env_.AddFile(R"(C:\site\INDEX.HTM)", kPage, kAttrArchive, "INDEX.HTM");
  env_.AddFile(R"(C:\site\hidden.htm)", kPage, kAttrHidden);
  env_.AddFile(R"(C:\site\d.shtml)", kPage, kAttrArchive, "D~1.SHT");
  env_.AddFile(R"(C:\site\sub\f.html)", kPage);
  env_.AddFile(R"(C:\site\sub\deeper\g.txt)", kPage);

  SearchCountingEnv counting(env_);
  FileMain walked(counting);
  Paths fromWalk;
  ASSERT_TRUE(walked.ExpandFolder(R"(C:\site)", WalkPatterns(), fromWalk).ok());
  EXPECT_EQ(counting.searches, 3) << "one search for each folder";

  // The walk cannot read C:\site, whose sub-folders it would then miss:
  // the path fails rather than lose them unsaid.
  counting.fail_every_entry_in = R"(C:\site\)";
  FileMain searched(counting);
  Paths fromSearches;
  EXPECT_FALSE(searched.ExpandFolder(R"(C:\site)", WalkPatterns(), fromSearches).ok());
  EXPECT_EQ(env_.open_searches(), 0u);

  Paths expected = {R"(C:\site\b.htm)", R"(C:\site\INDEX.HTM)", R"(C:\site\a.html)",
                    R"(C:\site\d.shtml)"};
  expected.push_back(R"(C:\site\sub\f.html)");
  EXPECT_EQ(fromWalk, expected);
}

TEST_F(WindowsWalkTest, HiddenAndSystemFilesAreLeftButTheirFoldersWalked) {
  env_.AddFile(R"(C:\site\hidden.html)", kPage, kAttrArchive | kAttrHidden);
  env_.AddFile(R"(C:\site\system.html)", kPage, kAttrSystem);
  env_.AddFile(R"(C:\site\readonly.html)", kPage, kAttrReadOnly | kAttrArchive);
  env_.AddFolder(R"(C:\site\h)", kAttrDirectory | kAttrHidden);
  env_.AddFolder(R"(C:\site\s)", kAttrDirectory | kAttrSystem);
  env_.AddFolder(R"(C:\site\r)", kAttrDirectory | kAttrReadOnly);
  env_.AddFolder(R"(C:\site\a)", kAttrDirectory | kAttrArchive);
  env_.AddFolder(R"(C:\site\j)", kAttrDirectory | kAttrReparsePoint);
  env_.AddFile(R"(C:\site\h\1.html)", kPage);
  env_.AddFile(R"(C:\site\s\2.html)", kPage);
  env_.AddFile(R"(C:\site\r\3.html)", kPage);
  env_.AddFile(R"(C:\site\a\4.html)", kPage);
  env_.AddFile(R"(C:\site\j\5.html)", kPage);
  EXPECT_EQ(Expand(R"(C:\site)"),
            (Paths{R"(C:\site\readonly.html)", R"(C:\site\h\1.html)", R"(C:\site\s\2.html)",
                   R"(C:\site\r\3.html)", R"(C:\site\a\4.html)"}));
}

TEST_F(WindowsWalkTest, NamesOfAllTwoHundredSixtyCharacters) {
  const std::string long_name = std::string(255, 'n') + ".html";
  const std::string longFolder = std::string(260, 'f');
  env_.AddFile(R"(C:\site\)" + long_name, kPage);
  env_.AddFile(R"(C:\site\)" + longFolder + R"(\a.htm)", kPage);
  EXPECT_EQ(Expand(R"(C:\site)"),
            (Paths{R"(C:\site\)" + long_name, R"(C:\site\)" + longFolder + R"(\a.htm)"}));
}

TEST_F(WindowsWalkTest, DriveRootKeepsItsSeparator) {
  env_.AddFile(R"(D:\a.html)", kPage);
  env_.AddFile(R"(D:\sub\b.html)", kPage);
  Paths folders;
  EXPECT_EQ(Expand(R"(D:\)", &folders), (Paths{R"(D:\a.html)", R"(D:\sub\b.html)"}));
  EXPECT_EQ(folders, (Paths{R"(D:\)", R"(D:\sub)"}));
  env_.AddFolder(R"(E:\)");
  EXPECT_EQ(Expand(R"(E:\)"), Paths{}) << "an empty drive is no failure";
}

TEST_F(WindowsWalkTest, OnlyExactlySixteenIsWalked) {
  for (const std::uint32_t attributes : {0x11u, 0x30u, 0x12u, 0x410u}) {
    env_.AddFolder(R"(C:\odd)", attributes);
    env_.AddFile(R"(C:\odd\a.html)", kPage);
    env_.AddFolder(R"(C:\odd.html)", attributes);
    Dispatch({R"(C:\odd)", R"(C:\odd.html)"});
    EXPECT_TRUE(env_.files_read().empty()) << attributes;
  }
  // The folder named like a page reaches the file job, which cannot read it.
  EXPECT_EQ(observer_.failures.size(), 4u);
  EXPECT_EQ(observer_.not_walked.size(), 8u);
  EXPECT_EQ(observer_.not_walked_attributes.front(), 0x11u);

  env_.AddFolder(R"(C:\plain)");
  env_.AddFile(R"(C:\plain\b.html)", kPage);
  Dispatch({R"(C:\plain)"});
  EXPECT_EQ(env_.files_written(), Paths{R"(C:\plain\b.html)"});
}

TEST_F(WindowsWalkTest, FolderThatCannotBeListedCancelsItsPathAndIsTold) {
  struct Case {
    const char* failing;
    const char* reason;
  };
  for (const Case& c :
       {Case{R"(C:\site\sub)",
             R"(the folder C:\site\sub cannot be listed: permission denied; nothing under)"},
        Case{R"(C:\site)", "the folder cannot be listed: permission denied; nothing in it"}}) {
    MemEnv env;
    env.AddFile(R"(C:\site\a.html)", kPage);
    env.AddFile(R"(C:\site\sub\b.html)", kPage);
    env.AddFile(R"(C:\site\zzz\c.html)", kPage);
    env.AddFile(R"(C:\next.html)", kPage);
    env.FailSearch(c.failing);
    RecordingObserver observer;
    WorkReport report;
    Work work(env, settings_, report, OneJob(), &observer);
    work.DispatchPath(R"(C:\site)");
    work.DispatchPath(R"(C:\next.html)");
    // Files collected before the failing folder are not processed either.
    EXPECT_EQ(env.files_read(), Paths{R"(C:\next.html)"}) << c.failing;
    ASSERT_EQ(observer.failures.size(), 1u) << c.failing;
    EXPECT_EQ(observer.failures[0].path(), R"(C:\site)");
    EXPECT_TRUE(observer.failures[0].reason().starts_with(c.reason))
        << observer.failures[0].reason();
    EXPECT_EQ(report.failures(), 1);
    EXPECT_EQ(env.open_searches(), 0u);
  }
}

TEST_F(WindowsWalkTest, FileJobFailuresAreToldAndTheRunGoesOn) {
  env_.AddFile(R"(C:\site\locked.html)", kPage, kAttrReadOnly | kAttrArchive);
  env_.AddFile(R"(C:\site\broken.html)", kPage);
  env_.AddFile(R"(C:\site\full.html)", kPage);
  env_.AddFile(R"(C:\site\fine.html)", kPage);
  env_.FailReadFile(R"(C:\site\broken.html)",
                    Status::IOError(R"(C:\site\broken.html)", "device error"));
  env_.FailReplaceFile(R"(C:\site\full.html)",
                       Status::IOError(R"(C:\site\full.html)", "no space left on the device"));
  Dispatch({R"(C:\site)"});
  EXPECT_EQ(env_.Contents(R"(C:\site\locked.html)"), kPage);
  EXPECT_EQ(env_.Contents(R"(C:\site\full.html)"), kPage);
  EXPECT_EQ(env_.Contents(R"(C:\site\fine.html)"), kCompacted);
  ASSERT_EQ(observer_.failures.size(), 3u);
  EXPECT_EQ(observer_.failures[0].ToString(), R"(C:\site\locked.html: the file is read-only)");
  EXPECT_EQ(observer_.failures[1].ToString(), R"(C:\site\broken.html: device error)");
  EXPECT_EQ(observer_.failures[2].ToString(), R"(C:\site\full.html: no space left on the device)");
  EXPECT_EQ(report_.filesExamined(), 4);
  EXPECT_EQ(report_.filesRewritten(), 1);
}

TEST_F(WindowsWalkTest, EngineReportingNoChangeMeansNoWrite) {
  env_.AddFile(R"(C:\site\done.html)", kCompacted);
  env_.AddFile(R"(C:\site\optout.html)", std::string(kPage) + "<!--NO QUARNEL-->\r\n");
  Dispatch({R"(C:\site)"});
  EXPECT_EQ(env_.files_read().size(), 2u);
  EXPECT_TRUE(env_.files_written().empty());
}

}  // namespace
}  // namespace quarnel
