#include "engine/line_split.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

TEST(SplitLinesTest, LineEndsAreCrLfOrLoneCr) {
  EXPECT_EQ(SplitLines(""), (LineList{""}));
  EXPECT_EQ(SplitLines("a"), (LineList{"a"}));
  EXPECT_EQ(SplitLines("a\r\n"), (LineList{"a"}));
  EXPECT_EQ(SplitLines("\r\n"), (LineList{""}));
  EXPECT_EQ(SplitLines("a\r\nb"), (LineList{"a", "b"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (LineList{"a", ""}));
  EXPECT_EQ(SplitLines("a\rb\r"), (LineList{"a", "b"}));
  EXPECT_EQ(SplitLines("a\r\r\nb"), (LineList{"a", "", "b"}));
  // A lone LF belongs to its line.
  EXPECT_EQ(SplitLines("a\nb\n"), (LineList{"a\nb\n"}));
  EXPECT_EQ(SplitLines("a\n\r\nb"), (LineList{"a\n", "b"}));
}

TEST(SplitLinesTest, KeepsEveryOtherByte) {
  const std::string bytes("x\0y\x82\x0D\x82\xA0\xFF", 8);
  EXPECT_EQ(SplitLines(bytes), (LineList{std::string("x\0y\x82", 4), std::string("\x82\xA0\xFF")}));
}

}  // namespace
}  // namespace quarnel
