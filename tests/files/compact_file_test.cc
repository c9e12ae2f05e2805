// The file job on real files in a temporary folder.
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "engine/compact_lines.h"
#include "files/text_encoding.h"
#include "files/work.h"
#include "platform/env_wrapper.h"
#include "settings/default_lists.h"
#include "tests/files/recording_observer.h"
#include "tests/support/temp_folder.h"

namespace quarnel {
namespace {

using testing_support::AgeFile;
using testing_support::MakeReadOnly;
using testing_support::ModificationTime;
using testing_support::OneJob;
using testing_support::RecordingObserver;
using testing_support::TempFolder;

// A page with work to do: trailing blanks, an empty line, a generator line
// and a line to join.
constexpr std::string_view kPage =
    "<html>\r\n<head>\r\n<meta name=\"GENERATOR\" content=\"Microsoft FrontPage 4.0\">\r\n"
    "<title>t</title>   \r\n</head>\r\n\r\n<body>\r\n<p>Hello\r\nworld</p>\r\n</body>\r\n";
constexpr std::string_view kPageCompacted =
    "<html>\r\n<head>\r\n<title>t</title>\r\n</head>\r\n<body>\r\n<p>Hello world</p>\r\n"
    "</body>\r\n";

class CompactFileTest : public ::testing::Test {
 protected:
  CompactFileTest() {
    settings_.DeleteLines = DefaultDeleteLines();
    settings_.JoinTags = DefaultJoinTags();
  }

  // Runs the file job on each path with the current settings.
  void Compact(std::initializer_list<std::string> paths, bool dry_run = false) {
    Work work(*Env::Default(), settings_, report_, OneJob(dry_run), &observer_);
    for (const std::string& path : paths) work.CompactFile(path);
  }

  TempFolder dir_;
  Settings settings_;
  RecordingObserver observer_;
  WorkReport report_;
};

TEST_F(CompactFileTest, RewritesWithCrLfAfterEveryLineAndNoEmptyLines) {
  const std::string page = dir_.Write("a.html", kPage);
  Compact({page});
  EXPECT_EQ(TempFolder::Read(page), kPageCompacted);
  EXPECT_EQ(observer_.rewritten, std::vector<std::string>{page});
  EXPECT_EQ(report_.filesExamined(), 1);
  EXPECT_EQ(report_.bytesBefore(), kPage.size());
  EXPECT_EQ(report_.bytesAfter(), kPageCompacted.size());
  EXPECT_EQ(dir_.Names(), std::set<std::string>{"a.html"}) << "no temporary file is left";
}

TEST_F(CompactFileTest, UnchangedFileKeepsBytesAndModificationTime) {
  const std::string cases[] = {
      dir_.Write("done.html", kPageCompacted),
      dir_.Write("nohead.html", "<html>  \r\n\r\n<body>\r\n"),
      dir_.Write("attrs.htm", "<head lang=ja>\r\n<p>x  \r\n"),
      dir_.Write("empty.html", ""),
      dir_.Write("optout.html", std::string(kPage) + "  <!--no quarnel-->\t\r\n"),
  };
  for (const std::string& path : cases) AgeFile(path);
  std::vector<std::pair<std::string, std::filesystem::file_time_type>> before;
  for (const std::string& path : cases)
    before.emplace_back(TempFolder::Read(path), ModificationTime(path));

  settings_.CompactMode =
      1;  // the marker with leading blanks counts only when both ends are trimmed
  for (const std::string& path : cases) Compact({path});
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(TempFolder::Read(cases[i]), before[i].first) << cases[i];
    EXPECT_EQ(ModificationTime(cases[i]), before[i].second) << cases[i];
  }
  EXPECT_TRUE(observer_.rewritten.empty());
  EXPECT_EQ(report_.filesExamined(), 5);
}

TEST_F(CompactFileTest, OptOutMarkerWithLeadingBlanksNeedsSizeFirstMode) {
  const std::string page = dir_.Write("a.html", std::string(kPage) + "  <!--NO QUARNEL-->\r\n");
  settings_.CompactMode = 0;  // trailing trim only: "  <!--NO QUARNEL-->" is no marker
  Compact({page});
  EXPECT_EQ(observer_.rewritten, std::vector<std::string>{page});
}

TEST_F(CompactFileTest, NameTestPicksTheFilesAndNeverOpensOthers) {
  const std::string yes[] = {dir_.Write("index.HTM", kPage), dir_.Write("b.shtml", kPage),
                             dir_.Write("c.sht", kPage), dir_.Write("xhtml", kPage)};
  const std::string no[] = {dir_.Write("d.txt", kPage), dir_.Write("e.htmx", kPage)};
  for (const std::string& path : no) AgeFile(path);
  const auto noTime = ModificationTime(no[0]);
  Compact({yes[0], yes[1], yes[2], yes[3], no[0], no[1], dir_ / "missing.txt"});
  for (const std::string& path : yes) EXPECT_EQ(TempFolder::Read(path), kPageCompacted) << path;
  for (const std::string& path : no) EXPECT_EQ(TempFolder::Read(path), kPage) << path;
  EXPECT_EQ(ModificationTime(no[0]), noTime);
  EXPECT_EQ(report_.filesExamined(), 4);
  EXPECT_TRUE(observer_.failures.empty()) << "a name that is not HTML is no failure";
}

TEST_F(CompactFileTest, LineFeedPageIsWrittenBackWithLineFeeds) {
  const std::string page = dir_.Write("lf.html", "<html>\n<head>  \n</head>\n\n<body>\n");
  Compact({page});
  EXPECT_EQ(TempFolder::Read(page), "<html>\n<head>\n</head>\n<body>\n");
}

TEST_F(CompactFileTest, SignatureAndHeadLinesGoWhereTheyBelong) {
  settings_.WriteSignature = 1;
  settings_.InsertHeadLines = 1;
  settings_.HeadLines = {"<meta name=\"robots\" content=\"noindex\">", ""};
  const std::string page = dir_.Write("a.html",
                                      "<!DOCTYPE html>\r\n<html><HEAD>\r\n<title>t</title>  \r\n"
                                      "</head>\r\n<head>\r\n");
  Compact({page});
  EXPECT_EQ(TempFolder::Read(page),
            std::string(SignatureLine) +
                "\r\n<!DOCTYPE html>\r\n<html><HEAD>\r\n<meta name=\"robots\" "
                "content=\"noindex\">\r\n\r\n<title>t</title>\r\n</head>\r\n<head>\r\n");
}

TEST_F(CompactFileTest, CompactModeOtherThanOneIsLegibilityFirst) {
  settings_.CompactMode = 2;
  const std::string page = dir_.Write("a.html", "<head>\r\n  <p>x</p>  \r\n</p>\r\n");
  Compact({page});
  EXPECT_EQ(TempFolder::Read(page), "<head>\r\n  <p>x</p>\r\n</p>\r\n");
  settings_.CompactMode = 1;
  Compact({page});
  EXPECT_EQ(TempFolder::Read(page), "<head>\r\n<p>x</p></p>\r\n");
}

TEST_F(CompactFileTest, Utf8ByteOrderMarkStaysFirst) {
  settings_.WriteSignature = 1;
  const std::string page = dir_.Write(
      "bom.html", std::string(kUtf8ByteOrderMark) + "<head>  \r\n<title>日本語</title>\r\n");
  Compact({page});
  EXPECT_EQ(TempFolder::Read(page), std::string(kUtf8ByteOrderMark) + std::string(SignatureLine) +
                                        "\r\n<head>\r\n<title>日本語</title>\r\n");
}

TEST_F(CompactFileTest, ShiftJisBytesSurviveAndItemsAreConverted) {
  // "表" and "ソ" end in 0x5C; 0x80, 0xA0 and 0xFD are no CP932 characters,
  // and a lead byte stands alone before the line end.
  const std::string body = "<p>\x95\x5C\x83\x5C\x80\xA0\xFD\x82";
  settings_.DeleteLines.push_back("削除する行");  // UTF-8 in the settings
  settings_.InsertHeadLines = 1;
  settings_.HeadLines = {"<meta name=\"author\" content=\"山田\">"};
  const std::string page =
      dir_.Write("sjis.html", "<head>\r\n\x8D\xED\x8F\x9C\x82\xB7\x82\xE9\x8D\x73\r\n" + body +
                                  "\r\n</p>  \r\n");
  Compact({page});
  EXPECT_EQ(
      TempFolder::Read(page),
      "<head>\r\n<meta name=\"author\" content=\"\x8E\x52\x93\x63\">\r\n" + body + " </p>\r\n");
}

TEST_F(CompactFileTest, Utf8FileKeepsItsItemsInUtf8) {
  settings_.DeleteLines = {"削除する行"};
  const std::string page = dir_.Write("u.html", "<head>\r\n<p>日本語</p>\r\n削除する行\r\n");
  Compact({page});
  EXPECT_EQ(TempFolder::Read(page), "<head>\r\n<p>日本語</p>\r\n");
}

TEST_F(CompactFileTest, ReadOnlyFileIsNeverRewrittenAndTheNextGoesOn) {
  const std::string locked = dir_.Write("locked.html", kPage);
  const std::string next = dir_.Write("next.html", kPage);
  MakeReadOnly(locked);
  Compact({locked, next});
  EXPECT_EQ(TempFolder::Read(locked), kPage);
  EXPECT_EQ(TempFolder::Read(next), kPageCompacted);
  ASSERT_EQ(observer_.failures.size(), 1u);
  EXPECT_EQ(observer_.failures[0].ToString(), locked + ": the file is read-only");
  EXPECT_EQ(report_.failures(), 1);
  EXPECT_EQ(dir_.Names(), (std::set<std::string>{"locked.html", "next.html"}));
}

TEST_F(CompactFileTest, PermissionBitsAreKept) {
#ifdef _WIN32
  GTEST_SKIP()
      << "Windows keeps no permission bits; the attributes kept are tested in platform_test";
#else
  const std::string page = dir_.Write("a.html", kPage);
  ::chmod(page.c_str(), 0640);
  Compact({page});
  struct stat st {};
  ::stat(page.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
#endif
}

TEST_F(CompactFileTest, SymbolicLinkIsFollowedAndStays) {
#ifdef _WIN32
  GTEST_SKIP() << "a symbolic link needs a privilege on Windows that a test cannot count on";
#endif
  const std::string target = dir_.Write("real/target.html", kPage);
  const std::string link = dir_ / "link.html";
  std::filesystem::create_symlink("real/target.html", link);
  Compact({link});
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::read_symlink(link), "real/target.html");
  EXPECT_EQ(TempFolder::Read(target), kPageCompacted);
}

TEST_F(CompactFileTest, UnreadablePathIsReportedOnce) {
  Compact({dir_ / "gone.html", dir_.path() + Env::Default()->PathSeparator()});
  ASSERT_EQ(observer_.failures.size(), 1u);
  EXPECT_EQ(observer_.failures[0].ToString(), dir_ / "gone.html" + ": no such file or folder");
  const std::string folder = dir_.Write("folder.html/x", "");
  Compact({dir_ / "folder.html"});
  ASSERT_EQ(observer_.failures.size(), 2u);
  EXPECT_EQ(observer_.failures[1].path(), dir_ / "folder.html");
  (void)folder;
}

TEST_F(CompactFileTest, DryRunWritesNothingButTellsWhatWouldBe) {
  const std::string page = dir_.Write("a.html", kPage);
  const std::string locked = dir_.Write("b.html", kPage);
  MakeReadOnly(locked);
  AgeFile(page);
  const auto time = ModificationTime(page);
  Compact({page, locked}, /*dry_run=*/true);
  EXPECT_EQ(TempFolder::Read(page), kPage);
  EXPECT_EQ(ModificationTime(page), time);
  EXPECT_EQ(observer_.rewritten, std::vector<std::string>{page});
  EXPECT_EQ(report_.bytesAfter(), kPageCompacted.size() + kPage.size());
  ASSERT_EQ(observer_.failures.size(), 1u);
  EXPECT_EQ(observer_.failures[0].path(), locked);
}

// An editor that saves the page just after the file job has read it.
class EditorSavesEnv final : public EnvWrapper {
 public:
  EditorSavesEnv() : EnvWrapper(*Env::Default()) {}
  Status ReadFile(const std::string& path, std::string* contents,
                  FileStamp* stamp = nullptr) override {
    const Status status = EnvWrapper::ReadFile(path, contents, stamp);
    std::ofstream(path + ".saved", std::ios::binary) << "<head>\r\nsaved by an editor\r\n";
    std::filesystem::rename(path + ".saved", path);
    return status;
  }
};

TEST_F(CompactFileTest, PageChangedWhileBeingCompactedIsLeftAsTheOtherProgramWroteIt) {
  const std::string page = dir_.Write("a.html", kPage);
  EditorSavesEnv env;
  Work(env, settings_, report_, OneJob(), &observer_).CompactFile(page);
  EXPECT_EQ(TempFolder::Read(page), "<head>\r\nsaved by an editor\r\n");
  ASSERT_EQ(observer_.failures.size(), 1u);
  EXPECT_EQ(observer_.failures[0].ToString(),
            page + ": changed while being compacted; left as it is");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
}

}  // namespace
}  // namespace quarnel
