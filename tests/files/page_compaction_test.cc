// A page's bytes through the rules, as the file job and the filter use them:
// line ends, blocks kept as they are, and repeated compaction.
#include "files/page_compaction.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/codepage.h"
#include "settings/default_lists.h"

namespace quarnel {
namespace {

class PageCompactionTest : public ::testing::Test {
 protected:
  PageCompactionTest() {
    settings_.CompactMode = 1;
    settings_.DeleteLines = DefaultDeleteLines();
    settings_.JoinTags = DefaultJoinTags();
  }

  // The new form, or nothing when the page stays as it is.
  std::optional<std::string> Compact(std::string page, bool repeat = false) {
    const WorkItems items(settings_);
    CompactedPage out = CompactPage(items, std::move(page), PageCompaction{repeat});
    last_ = out;
    if (!out.rewrite) return std::nullopt;
    return out.bytes;
  }

  Settings settings_;
  CompactedPage last_;
};

TEST_F(PageCompactionTest, LineFeedPagesStayLineFeedPages) {
  EXPECT_EQ(Compact("<html>\n<head>  \n</head>\n\n<p>a\nb</p>\n"),
            "<html>\n<head>\n</head>\n<p>a b</p>\n");
  settings_.WriteSignature = 1;
  settings_.InsertHeadLines = 1;
  settings_.HeadLines = {"<meta x>"};
  EXPECT_EQ(Compact("<head>  "), std::string(SignatureLine) + "\n<head>\n<meta x>\n");
}

TEST_F(PageCompactionTest, CrAndMixedLineEndsAreWrittenAsCrLf) {
  EXPECT_EQ(Compact("<head>\r<p>a\rb</p>  \r"), "<head>\r\n<p>a b</p>\r\n");
  EXPECT_EQ(Compact("<head>\r\n<pre>\n x\n</pre>\n<p>  "),
            "<head>\r\n<pre>\r\n x\r\n</pre>\r\n<p>\r\n");
}

TEST_F(PageCompactionTest, LineFeedPageEndingInADeleteItemKeepsTheRest) {
  settings_.DeleteLines.push_back("<!-- built by sitegen -->");
  EXPECT_EQ(Compact("<html>\n<head>\n<title>t</title>\n</head>\n<!-- built by sitegen -->"),
            "<html>\n<head>\n<title>t</title>\n</head>\n");
  EXPECT_EQ(Compact("<head>\r\n<p>a</p>\n<p>b</p>\n<!-- built by sitegen -->\r\n"),
            "<head>\r\n<p>a</p>\r\n<p>b</p>\r\n");
}

TEST_F(PageCompactionTest, BlockContentIsKeptByteForByte) {
  for (const std::string_view name : {"pre", "textarea", "script", "STYLE"}) {
    const std::string open = "<" + std::string(name) + " class=\"a>b\">";
    const std::string close = "</" + std::string(name) + ">";
    // A CP932 line (its "\x95\x5C" ends in a backslash) and a UTF-8 one.
    for (const std::string& text : {std::string("\x95\x5C  "), std::string("\xE3\x81\x82 ")}) {
      const std::string block = open + "\r\n  " + text + "\r\n\r\n\t// c\r\nx = 1;  \r\n" + close;
      EXPECT_EQ(Compact("<head>\r\n" + block + "\r\n<p>a  \r\n"),
                "<head>\r\n" + block + "\r\n<p>a\r\n")
          << name;
      EXPECT_TRUE(last_.blocks_kept);
    }
  }
}

TEST_F(PageCompactionTest, LinesAroundBlocksFollowTheRulesWithoutTouchingThem) {
  // A line before a block that does not end with ">" stays as it is; a
  // JoinTags line right after </pre> is pulled onto it.
  EXPECT_EQ(Compact("<head>\n<p>text\n<pre>\n x\n</pre>\n</td>\n"),
            "<head>\n<p>text\n<pre>\n x\n</pre></td>\n");
  // A JoinTags line whose nearest line above is in a block stays.
  EXPECT_EQ(Compact("<head>\n<p>a<pre>b\n</td></pre>\n"), std::nullopt);
  // Changes only inside blocks: nothing to rewrite.
  EXPECT_EQ(Compact("<head>\n<script>\n  a  \n\n</script>\n"), std::nullopt);
}

TEST_F(PageCompactionTest, HeadLinesNeverGoIntoABlock) {
  settings_.InsertHeadLines = 1;
  settings_.HeadLines = {"<meta x>"};
  // DocBook's one-line head, its <style> going on: nothing is inserted, and
  // the page does not ask for a rewrite on every run.
  EXPECT_EQ(Compact("<html><head><title>t</title><style>\np { }\n</style></head>\n"), std::nullopt);
  // A block that opens and closes on the <HEAD> line is no obstacle.
  EXPECT_EQ(Compact("<head><style>p{}</style>\n</head>\n"),
            "<head><style>p{}</style>\n<meta x>\n</head>\n");
}

TEST_F(PageCompactionTest, HeadLinesHoldingWholeBlocksArePutInOnce) {
  settings_.InsertHeadLines = 1;
  settings_.HeadLines = {"<script>var a=1;</script>", "<style>p{}</style>"};
  const std::string once = "<head>\n<script>var a=1;</script>\n<style>p{}</style>\n</head>\n";
  EXPECT_EQ(Compact("<head>\n</head>\n"), once);
  EXPECT_EQ(Compact(once), std::nullopt);
  // A copy on the line that closes a block begun above is the block's own
  // and stays; the head then misses that item.
  EXPECT_EQ(Compact("<head>\n<style>\n</style><style>p{}</style>\n</head>\n"),
            "<head>\n<script>var a=1;</script>\n<style>p{}</style>\n<style>\n"
            "</style><style>p{}</style>\n</head>\n");
}

TEST_F(PageCompactionTest, OptOutMarkerInABlockCountsOnlyAsItIs) {
  EXPECT_EQ(Compact("<head>\n<pre>\n<!--NO QUARNEL-->\n</pre>\n<p>a  \n"), std::nullopt);
  EXPECT_EQ(Compact("<head>\n<pre>\n  <!--NO QUARNEL-->\n</pre>\n<p>a  \n"),
            "<head>\n<pre>\n  <!--NO QUARNEL-->\n</pre>\n<p>a\n");
}

TEST_F(PageCompactionTest, RepeatRunsUntilNothingMoreChanges) {
  const std::string page = "<head>\n<p>a\nb\nc\nd\n<p>e</p>\n";
  EXPECT_EQ(Compact(page), "<head>\n<p>a b\nc d\n<p>e</p>\n");
  EXPECT_EQ(Compact(page, true), "<head>\n<p>a b c d <p>e</p>\n");
  EXPECT_FALSE(last_.still_changing);
  EXPECT_EQ(Compact(*Compact(page, true), true), std::nullopt);
  // A head line that trimming changes is put in again on every pass.
  settings_.InsertHeadLines = 1;
  settings_.HeadLines = {" <meta x>"};
  const std::optional<std::string> endless = Compact("<head>\n</head>\n", true);
  EXPECT_TRUE(last_.still_changing);
  ASSERT_TRUE(endless);
  EXPECT_NE(Compact(*endless), std::nullopt);
}

}  // namespace
}  // namespace quarnel
