#include "engine/opt_out.h"

#include <random>

#include <gtest/gtest.h>

#include "engine/compact_lines.h"
#include "engine/page_lines.h"
#include "engine/text_compare.h"
#include "engine/trim.h"

namespace quarnel {
namespace {

// What the engine looks for: a line that, trimmed as the mode trims, is the
// marker in any letter case.
bool ReferenceHoldsMarker(std::string_view text, bool compactFlag) {
  for (std::string line : ReadPageLines(text).lines) {
    TrimLine(line, compactFlag);
    if (EqualsIgnoreAsciiCase(line, OptOutMarker, Encoding::kUtf8)) return true;
  }
  return false;
}

// The engine's rule over a page's text, as the file job asks it.
bool OptsOut(std::string_view text, bool compactFlag) {
  return HoldsOptOutMarker(ReadPageViews(text), compactFlag);
}

TEST(HoldsOptOutMarkerTest, Cases) {
  struct Case {
    std::string text;
    bool size_first;        // expected with compactFlag true
    bool legibility_first;  // expected with compactFlag false
  };
  const Case cases[] = {
      {"<!--NO QUARNEL-->", true, true},
      {"<head>\r\n<!--no Quarnel-->\r\n", true, true},
      {"<head>\r<!--NO QUARNEL-->  \t\r", true, true},
      {"x\r\n \t<!--NO QUARNEL-->\r\n", true, false},
      {"x\n<!--NO QUARNEL-->\r\n", true, true},  // a lone LF ends a line too
      {"<!--NO QUARNEL-->\nx", true, true},
      {"x\n\t<!--NO QUARNEL-->", true, false},
      {"<!--NO QUARNEL--> x", false, false},
      {"<!--NO QUARNEL--", false, false},
      {"<!--<!--NO QUARNEL-->", false, false},
      {"<!-- NO QUARNEL -->", false, false},
      {"", false, false},
      // The "<" last in one stretch of the scan, its "!" first in the next.
      {std::string(62, ' ') + "\n<!--NO QUARNEL-->", true, true},
      // A line inside a block is taken as it stands.
      {"<pre>\n <!--NO QUARNEL-->\n</pre>", false, false},
      {"<pre>\n<!--NO QUARNEL-->\n</pre>", true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OptsOut(c.text, true), c.size_first) << c.text;
    EXPECT_EQ(OptsOut(c.text, false), c.legibility_first) << c.text;
  }
}

TEST(HoldsOptOutMarkerTest, TheScanFindsEveryMarkerLineOfRandomText) {
  const std::string_view pieces[] = {"<!--NO QUARNEL-->",
                                     "<!--no quarnel-->",
                                     "<!--",
                                     "NO QUARNEL-->",
                                     " ",
                                     "\t",
                                     "\r",
                                     "\n",
                                     "\r\n",
                                     "x",
                                     "-->",
                                     "\x82",
                                     "a line long enough to cross a 64-byte stretch of the scan"};
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 8);
  int found = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
    for (const bool flag : {true, false}) {
      const bool expected = ReferenceHoldsMarker(text, flag);
      ASSERT_EQ(OptsOut(text, flag), expected) << '"' << text << "\" flag " << flag;
      found += expected ? 1 : 0;
    }
  }
  EXPECT_GT(found, 1000) << "the random texts hold the marker often enough to test it";
}

}  // namespace
}  // namespace quarnel
