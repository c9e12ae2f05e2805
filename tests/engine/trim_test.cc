#include "engine/trim.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

struct TrimCase {
  std::string in;
  bool compact_flag;  // true: both ends
  std::string out;
  bool changed;
};

TEST(TrimLineTest, TrimsLayoutBlanksByMode) {
  const TrimCase cases[] = {
      {"", false, "", true},
      {"", true, "", true},
      {"   ", false, "   ", false},
      {"\t ", true, "\t ", false},
      {"  </p>  ", false, "  </p>", true},
      {"  </p>  ", true, "</p>", true},
      {"</p>", false, "</p>", false},
      {"</p>", true, "</p>", false},
      {"\t</td>", true, "</td>", true},
      {"\t</td>", false, "\t</td>", false},
      {"x", true, "x", false},
      {" x", true, "x", true},
      {"x\t", false, "x", true},
      {"a b", true, "a b", false},
  };
  for (const TrimCase& c : cases) {
    std::string text = c.in;
    EXPECT_EQ(TrimLine(text, c.compact_flag), c.changed) << '[' << c.in << ']';
    EXPECT_EQ(text, c.out) << '[' << c.in << ']';
  }
}

TEST(TrimLineTest, OnlyBlankAndTabAreLayoutBlanks) {
  // Ideographic space (U+3000 in UTF-8 and in CP932), no-break space, CR, LF.
  for (std::string text : {std::string("x\xE3\x80\x80"), std::string("x\x81\x40"),
                           std::string("x\xC2\xA0"), std::string("x\r"), std::string("\nx")}) {
    const std::string before = text;
    EXPECT_FALSE(TrimLine(text, true));
    EXPECT_EQ(text, before);
  }
}

}  // namespace
}  // namespace quarnel
