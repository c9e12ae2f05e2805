#include "engine/compact_lines.h"

#include <gtest/gtest.h>

#include "settings/default_lists.h"

namespace quarnel {
namespace {

LineList NonEmpty(const LineList& lines) {
  LineList out;
  for (const std::string& line : lines) {
    if (!line.empty()) out.push_back(line);
  }
  return out;
}

class CompactLinesTest : public ::testing::Test {
 protected:
  bool Compact(LineList& lines, bool compactFlag) {
    return CompactLines(lines, compactFlag, compactFlag ? join_tags_ : ItemList{}, delete_lines_,
                        context_);
  }

  ItemList join_tags_ = DefaultJoinTags();
  ItemList delete_lines_ = DefaultDeleteLines();
  CompactContext context_;
};

LineList WorkedExample() {
  return {"<html>",
          "<head>",
          DefaultDeleteLines()[0],
          "<title>Test</title>   ",
          "</head>",
          "<body>",
          "",
          "  <p>Hello",
          "  world",
          "</p>",
          "</body>",
          "</html>"};
}

TEST_F(CompactLinesTest, WorkedExampleSizeFirst) {
  LineList lines = WorkedExample();
  EXPECT_TRUE(Compact(lines, true));
  EXPECT_EQ(lines.size(), 12u);
  EXPECT_EQ(NonEmpty(lines), (LineList{"<html>", "<head>", "<title>Test</title>", "</head>",
                                       "<body>", "<p>Hello world</p>", "</body>", "</html>"}));
}

TEST_F(CompactLinesTest, WorkedExampleLegibilityFirst) {
  LineList lines = WorkedExample();
  EXPECT_TRUE(Compact(lines, false));
  EXPECT_EQ(NonEmpty(lines),
            (LineList{"<html>", "<head>", "<title>Test</title>", "</head>", "<body>",
                      "  <p>Hello world", "</p>", "</body>", "</html>"}));
}

TEST_F(CompactLinesTest, NoHeadOrNothingToDoMeansNoRewrite) {
  LineList no_head = {"<html>", "  x  ", "", "<p>y"};
  EXPECT_FALSE(Compact(no_head, true));
  LineList attributed_head = {"<head lang=ja>", "  x  ", ""};
  EXPECT_FALSE(Compact(attributed_head, true));
  LineList clean = {"<html><head>", "<title>x</title>", "</head>", "<p>y</p>"};
  EXPECT_FALSE(Compact(clean, true));
  LineList empty_file = {""};
  EXPECT_FALSE(Compact(empty_file, true));
}

TEST(SignatureLineTest, NamesTheProductAndItsHomePage) {
  EXPECT_EQ(SignatureLine, R"(<!HTML SIZE WORKED BY "Quarnel" https://www.quarnel.example/>)");
}

TEST_F(CompactLinesTest, OptOutMarkerLeavesLinesExactlyAsGiven) {
  const LineList original = {
      "<html>  ", "<HEAD>", "  <p>x", "</head>", "<body>", "<!--no quarnel-->  ", "", "</p>"};
  for (bool flag : {true, false}) {
    LineList lines = original;
    EXPECT_FALSE(Compact(lines, flag));
    EXPECT_EQ(lines, original);
  }
}

TEST_F(CompactLinesTest, IndentedMarkerCountsOnlyWhenBothEndsAreTrimmed) {
  const LineList original = {"<head>", "\t <!--NO QUARNEL-->", "x  "};
  LineList size_first = original;
  EXPECT_FALSE(Compact(size_first, true));
  EXPECT_EQ(size_first, original);
  LineList legibility_first = original;
  EXPECT_TRUE(Compact(legibility_first, false));
  EXPECT_EQ(legibility_first[1], original[1]);
  EXPECT_EQ(legibility_first[2], "x");
}

TEST_F(CompactLinesTest, DeleteLinesMatchLineEnds) {
  const std::string meta = DefaultDeleteLines()[1];
  LineList lines = {"<head>" + meta, "</head>", "x" + meta + "y>"};
  EXPECT_TRUE(Compact(lines, true));
  // Head tracking ran before the line was blanked.
  EXPECT_EQ(lines, (LineList{"", "</head>", "x" + meta + "y>"}));
  LineList upper = {"<head>", "<META NAME=\"PROGID\" CONTENT=\"FRONTPAGE.EDITOR.DOCUMENT\">"};
  EXPECT_TRUE(Compact(upper, true));
  EXPECT_EQ(upper[1], "");
}

TEST_F(CompactLinesTest, EmptyDeleteItemBlanksNothing) {
  delete_lines_ = {""};
  LineList lines = {"<head>", "</head>"};
  EXPECT_FALSE(Compact(lines, true));
  EXPECT_EQ(lines, (LineList{"<head>", "</head>"}));
}

TEST_F(CompactLinesTest, Cp932DeleteItemNeedsACharacterBoundary) {
  context_.encoding = Encoding::kCp932;
  delete_lines_ = {"abc"};
  LineList lines = {"<head>", "yABC",
                    "x\x82\x61"
                    "bc"};
  EXPECT_TRUE(Compact(lines, true));
  EXPECT_EQ(lines, (LineList{"<head>", "",
                             "x\x82\x61"
                             "bc"}));
}

TEST_F(CompactLinesTest, OldSignatureAloneCountsOnlyWhenSignatureIsOff) {
  const LineList original = {std::string(SignatureLine), "<html><head>", "</head>"};
  context_.write_signature = true;
  LineList with_signature_on = original;
  EXPECT_FALSE(Compact(with_signature_on, true));
  EXPECT_EQ(with_signature_on[0], "");
  context_.write_signature = false;
  LineList with_signature_off = original;
  EXPECT_TRUE(Compact(with_signature_off, true));
}

TEST_F(CompactLinesTest, HeadLinesBookkeeping) {
  context_.head_lines = {"<meta a>", "<meta b>"};
  context_.insert_head_lines = true;
  LineList each_once = {"<head>", "<META A>", "<meta b>", "</head>", "<p>"};
  EXPECT_FALSE(Compact(each_once, true));
  EXPECT_EQ(each_once, (LineList{"<head>", "", "", "</head>", "<p>"}));

  LineList one_twice = {"<head>", "<meta a>", "<meta b>", "<meta a>", "</head>"};
  EXPECT_TRUE(Compact(one_twice, true));

  // A body line equal to an item stays.
  LineList in_body = {"<head>", "<meta a>", "<meta b>", "</head>", "<meta a>"};
  EXPECT_FALSE(Compact(in_body, true));
  EXPECT_EQ(in_body[4], "<meta a>");

  // Removing head lines counts when insertion is off.
  context_.insert_head_lines = false;
  LineList off = {"<head>", "<meta a>", "<meta b>", "</head>"};
  EXPECT_TRUE(Compact(off, true));
}

TEST_F(CompactLinesTest, MissingHeadLinesCountEvenWhenInsertionIsOff) {
  context_.head_lines = {"<meta a>"};
  context_.insert_head_lines = false;
  LineList lines = {"<head>", "</head>"};
  EXPECT_TRUE(Compact(lines, true));
}

TEST_F(CompactLinesTest, HeadLineWithLeadingBlankIsNotRecognisedAfterTrim) {
  context_.head_lines = {" <meta a>"};
  context_.insert_head_lines = true;
  LineList lines = {"<head>", "<meta a>", "</head>"};
  EXPECT_TRUE(Compact(lines, true));
  EXPECT_EQ(lines[1], "<meta a>");
}

TEST_F(CompactLinesTest, OneLineHeadKeepsInHeadToTheEnd) {
  context_.head_lines = {"<meta a>"};
  context_.insert_head_lines = true;
  LineList lines = {"<head></head>", "<body>", "<meta a>"};
  // The body copy is removed and the count rule never runs: nothing counts.
  EXPECT_FALSE(Compact(lines, true));
  EXPECT_EQ(lines[2], "");
}

TEST_F(CompactLinesTest, HandEditedModeActsAsLegibilityFirstThroughFlag) {
  EXPECT_TRUE(CompactFlag(1));
  EXPECT_FALSE(CompactFlag(0));
  EXPECT_FALSE(CompactFlag(2));
  EXPECT_FALSE(CompactFlag(-1));
}

}  // namespace
}  // namespace quarnel

namespace quarnel {
namespace {

// A line that would close a comment but is deleted by the first pass closes
// nothing, also deep into a long file where the first pass runs in blocks
// just ahead of the join pass.
TEST(CompactLinesLongFileTest, DeletedLineDoesNotCloseAComment) {
  LineList lines = {"<head>"};
  lines.resize(501, "<p>");
  lines.push_back("<!-- open");
  while (lines.size() < 520) lines.push_back("x");
  lines.push_back("--> <meta x>");
  lines.insert(lines.end(), {"y", "-->", "a", "b>"});
  CompactContext context;
  ASSERT_TRUE(CompactLines(lines, true, {}, {"<meta x>"}, context));
  EXPECT_EQ(lines[519], "x");
  EXPECT_EQ(lines[520], "");
  EXPECT_EQ(lines[521], "y");
  EXPECT_EQ(lines[523], "a b>");
}

}  // namespace
}  // namespace quarnel
