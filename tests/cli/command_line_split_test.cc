#include "cli/command_line_split.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

struct SplitCase {
  const char* name;
  std::string arguments;
  bool nt;
  ArgumentList expected;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, CutsAsTheShellsHandItOver) {
  const SplitCase& c = GetParam();
  ArgumentList list = {"left over"};
  EXPECT_TRUE(SplitCommandLine(c.arguments, c.nt, list));
  EXPECT_EQ(list, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    OddCases, SplitCommandLineTest,
    ::testing::Values(
        SplitCase{"NtTwoQuotedPaths",
                  R"("C:\a b\x.htm" "D:\y.html")",
                  true,
                  {R"(C:\a b\x.htm)", R"(D:\y.html)"}},
        SplitCase{"NtOneQuoted", R"("abc")", true, {"abc"}},
        SplitCase{"NtTrailingUnquotedTextIgnored", R"("abc" def ghi)", true, {"abc"}},
        // Two blanks put the cuts out of step: the second segment comes out
        // empty and is overwritten by one cut from inside "def".
        SplitCase{"NtTwoBlanks", R"("abc"  "def")", true, {"abc", "f"}},
        SplitCase{"NtUnquotedPath", "abc", true, {""}},
        SplitCase{"NtEmptyQuotedThenPath", R"("" "def")", true, {"def"}},
        SplitCase{"NtSingleCharacter", "x", true, {""}}, SplitCase{"NtQuoteOnly", "\"", true, {""}},
        SplitCase{"NtThreePaths", R"("a" "b" "c")", true, {"a", "b", "c"}},
        SplitCase{"BlanksTwoNames", "abc def", false, {"abc", "def"}},
        SplitCase{"BlanksTwoBlanks", "abc  def", false, {"abc", "def"}},
        SplitCase{"BlanksLeadingBlank", " abc", false, {"abc"}},
        SplitCase{"BlanksTrailingBlank", "abc ", false, {"abc", ""}},
        SplitCase{"BlanksTabIsNoSeparator", "a\tb c", false, {"a\tb", "c"}},
        SplitCase{"BlanksQuotesRemoved", R"("abc" d"e"f)", false, {"abc", "def"}},
        SplitCase{"BlanksQuotedLongNameCut", R"("long name.htm")", false, {"long", "name.htm"}},
        SplitCase{"BlanksOnlyBlanks", "   ", false, {""}}),
    [](const ::testing::TestParamInfo<SplitCase>& param) { return std::string(param.param.name); });

TEST(SplitCommandLineTest, EmptyArgumentsLeaveTheListAlone) {
  for (const bool nt : {true, false}) {
    ArgumentList list = {"kept"};
    EXPECT_FALSE(SplitCommandLine("", nt, list));
    EXPECT_EQ(list, ArgumentList{"kept"});
  }
}

TEST(PathsFromArgumentsTest, EveryArgumentIsOnePathExactlyAsGiven) {
  const std::vector<std::string> args = {
      "site", "a b/c d.html", " lead", "trail ", "x  y", "tab\there", "日本語/ページ.htm", "-"};
  EXPECT_EQ(ArgumentString({"a", "b c"}), R"("a" "b c")");
  EXPECT_EQ(PathsFromArguments(args), args);
  EXPECT_EQ(PathsFromArguments({"with\"quote.html", "b"}), (ArgumentList{"with\"quote.html", "b"}));
  EXPECT_EQ(PathsFromArguments({}), ArgumentList{});
}

}  // namespace
}  // namespace quarnel
