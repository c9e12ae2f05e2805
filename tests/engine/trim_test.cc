#include "engine/trim.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

struct TrimCase {
  std::string in;
  TrimMode mode;
  std::string out;
  bool changed;
};

TEST(TrimCharsTest, TrimsLayoutBlanksByMode) {
  const TrimCase cases[] = {
      {"", TrimMode::Trailing, "", true},
      {"", TrimMode::BothEnds, "", true},
      {"   ", TrimMode::Trailing, "   ", false},
      {"\t ", TrimMode::BothEnds, "\t ", false},
      {"  </p>  ", TrimMode::Trailing, "  </p>", true},
      {"  </p>  ", TrimMode::BothEnds, "</p>", true},
      {"</p>", TrimMode::Trailing, "</p>", false},
      {"</p>", TrimMode::BothEnds, "</p>", false},
      {"\t</td>", TrimMode::BothEnds, "</td>", true},
      {"\t</td>", TrimMode::Trailing, "\t</td>", false},
      {"x", TrimMode::BothEnds, "x", false},
      {" x", TrimMode::BothEnds, "x", true},
      {"x\t", TrimMode::Trailing, "x", true},
      {"a b", TrimMode::BothEnds, "a b", false},
  };
  for (const TrimCase& c : cases) {
    std::string text = c.in;
    EXPECT_EQ(TrimChars(text, c.mode, BlankChars), c.changed) << '[' << c.in << ']';
    EXPECT_EQ(text, c.out) << '[' << c.in << ']';
  }
}

TEST(TrimCharsTest, OnlyBlankAndTabAreLayoutBlanks) {
  // Ideographic space (U+3000 in UTF-8 and in CP932), no-break space, CR, LF.
  for (std::string text : {std::string("x\xE3\x80\x80"), std::string("x\x81\x40"),
                           std::string("x\xC2\xA0"), std::string("x\r"),
                           std::string("\nx")}) {
    const std::string before = text;
    EXPECT_FALSE(TrimChars(text, TrimMode::BothEnds, BlankChars));
    EXPECT_EQ(text, before);
  }
}

TEST(TrimLineTest, FlagChoosesTheEnds) {
  std::string size_first = "  <p>Hello  ";
  std::string legibility_first = size_first;
  EXPECT_TRUE(TrimLine(size_first, true));
  EXPECT_TRUE(TrimLine(legibility_first, false));
  EXPECT_EQ(size_first, "<p>Hello");
  EXPECT_EQ(legibility_first, "  <p>Hello");
}

}  // namespace
}  // namespace quarnel
