#include "engine/join_harm.h"

#include <gtest/gtest.h>

#include "engine/line_split.h"

namespace quarnel {
namespace {

std::optional<JoinHarm> Harm(std::string_view text) { return FindJoinHarm(SplitLines(text)); }

TEST(JoinHarmTest, FirstJoinInsideABlockNamesItsLineAndBlock) {
  const auto pre = Harm("<head>\r\n<PRE class=x>\r\n  a = 1   \r\nb\r\n</pre>\r\nc\r\nd\r\n");
  ASSERT_TRUE(pre);
  EXPECT_EQ(pre->line, 3u);
  EXPECT_EQ(pre->block, "pre");
  // A "//" comment line of a script swallows the next line.
  const auto script = Harm("<p>a\r\nb</p>\r\n<script>\r\n// note\r\nrun();\r\n</script>\r\n");
  ASSERT_TRUE(script);
  EXPECT_EQ(script->line, 4u);
  EXPECT_EQ(script->block, "script");
  // Inside a script, "<pre>" is text; the textarea opens and goes on.
  const auto textarea =
      Harm("<script>x = '<pre>';</script>\r\n<textarea>one\r\ntwo</textarea>\r\n");
  ASSERT_TRUE(textarea);
  EXPECT_EQ(textarea->line, 2u);
  EXPECT_EQ(textarea->block, "textarea");
}

TEST(JoinHarmTest, NoHarmOutsideBlocksInCommentsOrAfterTags) {
  // Joins outside any block; a block whose lines all end with ">"; a
  // closed block; "<prefix>" is no <pre>; the last line has nothing to take.
  EXPECT_FALSE(Harm("<p>a\r\nb</p>\r\n<pre>\r\n<b>x</b>\r\n</pre>\r\n<prefix>\r\nc\r\nd\r\n"));
  EXPECT_FALSE(Harm("<style>p { }</style>\r\ntext\r\nmore\r\n<pre>\r\nlast"));
  // A comment that spans lines is left alone by the join rule.
  EXPECT_FALSE(Harm("<style>\r\n<!-- a\r\nb\r\nc -->\r\n</style>\r\n"));
}

}  // namespace
}  // namespace quarnel
