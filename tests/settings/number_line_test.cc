#include "settings/number_line.h"

#include <gtest/gtest.h>

#include <optional>

namespace quarnel {
namespace {

struct NumberCase {
  const char* line;
  std::optional<std::int32_t> value;  // nothing: outside 32 bits
};

TEST(ParseNumberLineTest, Table) {
  const NumberCase cases[] = {
      // What the program itself writes.
      {" 0 ", 0},
      {" 1 ", 1},
      {" 10 ", 10},
      {"-1 ", -1},
      {" 2147483647 ", 2147483647},
      {"-2147483648 ", -2147483647 - 1},
      // Blanks, tabs and line feeds anywhere are ignored.
      {"1", 1},
      {"\t1\t", 1},
      {"1 0", 10},
      {"- 1\n2", -12},
      {"\n7", 7},
      // The rest of the line after the number is ignored.
      {"1abc", 1},
      {"12,5", 12},
      {"3-4", 3},
      {"1.2.3", 1},
      // No number gives 0.
      {"", 0},
      {"   ", 0},
      {"abc", 0},
      {"-", 0},
      {"+", 0},
      {".", 0},
      {"-.", 0},
      {"&", 0},
      {"&H", 0},
      {"&X10", 0},
      {"\xE3\x80\x80"
       "1",
       0},                  // an ideographic space is not a blank
      {"\xEF\xBC\x91", 0},  // nor is a full-width digit a digit
      // Rounding to the nearest, halves to the even neighbour.
      {"1.5", 2},
      {"2.5", 2},
      {"3.5", 4},
      {"0.5", 0},
      {".5", 0},
      {"-0.5", 0},
      {"-1.5", -2},
      {"-2.5", -2},
      {"2.5000001", 3},
      {"2.4999999", 2},
      {"0.49", 0},
      {"0.51", 1},
      {"-0", 0},
      {"+3", 3},
      {"5.", 5},
      {"007", 7},
      // Exponents with E or D, either case, optional sign.
      {"1E2", 100},
      {"1e2", 100},
      {"1D2", 100},
      {"1d+2", 100},
      {"15E-1", 2},
      {"25D-1", 2},
      {"0.0001E4", 1},
      {"1E", 1},
      {"1E+", 1},
      {"2Ex", 2},
      {"1E-999999999999", 0},
      // Hexadecimal and octal constants.
      {"&H10", 16},
      {"&h10", 16},
      {"&Hff", 255},
      {"&H1G", 1},
      {"&O17", 15},
      {"&o17", 15},
      {"&O8", 0},
      {"&H7FFFFFFF", 2147483647},
      // Outside the signed 32-bit range.
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"2147483647.5", std::nullopt},
      {"2147483646.5", 2147483646},
      {"-2147483648.5", -2147483647 - 1},
      {"99999999999999999999", std::nullopt},
      {"1E10", std::nullopt},
      {"1E999999999999", std::nullopt},
      {"&H80000000", std::nullopt},
      {"&O20000000000", std::nullopt},
      // Large spellings of small values.
      {"0.000000000000000000000000000001E30", 1},
      {"00000000000000000000000000000042", 42},
      {"0E999999999999", 0},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(ParseNumberLine(c.line), c.value) << "line \"" << c.line << "\"";
  }
}

TEST(FormatNumberLineTest, BlankBeforeUnlessNegativeAndBlankAfter) {
  EXPECT_EQ(FormatNumberLine(0), " 0 ");
  EXPECT_EQ(FormatNumberLine(1), " 1 ");
  EXPECT_EQ(FormatNumberLine(10), " 10 ");
  EXPECT_EQ(FormatNumberLine(-1), "-1 ");
  EXPECT_EQ(FormatNumberLine(-2147483647 - 1), "-2147483648 ");
}

}  // namespace
}  // namespace quarnel
