// Where a page's blocks lie, and how its lines are cut and marked.
#include "engine/blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/page_lines.h"

namespace quarnel {
namespace {

// The content of every block, as text.
std::vector<std::string> Contents(std::string_view text) {
  std::vector<std::string> out;
  for (const BlockContent& b : FindBlocks(text)) {
    out.emplace_back(text.substr(b.begin, b.end - b.begin));
  }
  return out;
}

using Texts = std::vector<std::string>;

TEST(FindBlocksTest, OpeningAndClosingTags) {
  EXPECT_EQ(Contents("<PRE class=x>a\r\n b</Pre ><Script>s</SCRIPT>"), (Texts{"a\r\n b", "s"}));
  EXPECT_EQ(Contents("<textarea\nrows=2>t</textarea\n><style/>x</style>"), (Texts{"t", "x"}));
  // The name must end where a tag name ends.
  EXPECT_EQ(Contents("<scripts>a</scripts><pre-x>b</pre-x><p>c</p>"), Texts{});
  // Only a closing tag of the same name ends a block, and only a real one.
  EXPECT_EQ(Contents("<pre>a</prex></style>b</pre>"), Texts{"a</prex></style>b"});
  // Empty content is no block; an unclosed block runs to the end.
  EXPECT_EQ(Contents("<pre></pre><style>\r\np {"), Texts{"\r\np {"});
}

TEST(FindBlocksTest, NothingInsideABlockOrCommentOpensAnother) {
  EXPECT_EQ(Contents("<script>w('<pre>');</script>x<pre>y</pre>"), (Texts{"w('<pre>');", "y"}));
  EXPECT_EQ(Contents("<pre><!-- </pre>"), Texts{"<!-- "});
  EXPECT_EQ(Contents("<!-- <pre> -->a<pre>b</pre>"), Texts{"b"});
  // "<!-->" does not close itself; an unclosed comment hides the rest.
  EXPECT_EQ(Contents("<!--><pre>a</pre>-->"), Texts{});
  EXPECT_EQ(Contents("<!-- a <pre>b</pre>"), Texts{});
}

TEST(FindBlocksTest, QuotesInTheOpeningTag) {
  EXPECT_EQ(Contents("<pre title=\"a>b\" x='>'>c</pre>"), Texts{"c"});
  // A quote that never closes: the tag opens nothing, and nothing after it.
  EXPECT_EQ(Contents("<pre title=\"a>b</pre><style>x</style>"), Texts{});
}

TEST(ReadPageLinesTest, LineEndsAndTheLineEndToWrite) {
  const PageLines lf = ReadPageLines("a\nb\n\nc");
  EXPECT_EQ(lf.lines, (LineList{"a", "b", "", "c"}));
  EXPECT_EQ(lf.line_end, LineEnd::kLf);
  EXPECT_EQ(ReadPageLines("").line_end, LineEnd::kLf);
  const PageLines mixed = ReadPageLines("a\rb\r\nc\nd\n\re");
  EXPECT_EQ(mixed.lines, (LineList{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(mixed.line_end, LineEnd::kCrLf);
  EXPECT_TRUE(mixed.marks.empty());
  EXPECT_EQ(ReadPageLines("a\r\n").lines, LineList{"a"});
}

TEST(ReadPageLinesTest, MarksTheLinesThatTouchABlock) {
  const PageLines page = ReadPageLines("<p>\n<pre>\n a \n\n</pre>\n<p>x<pre>y</pre>\n<pre>z");
  ASSERT_EQ(page.lines.size(), 7u);
  const std::vector<std::uint8_t> expected = {
      kLineFree,                       // <p>
      kLineInBlock | kLineEndInBlock,  // <pre> (its line end is content)
      kLineInBlock | kLineEndInBlock,  //  a
      kLineInBlock | kLineEndInBlock,  // (empty)
      kLineFree,                       // </pre>
      kLineInBlock,                    // <p>x<pre>y</pre>
      kLineInBlock,                    // <pre>z, unclosed to the end
  };
  EXPECT_EQ(page.marks, expected);
}

}  // namespace
}  // namespace quarnel
