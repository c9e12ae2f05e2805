// The Windows command line cut into arguments.
#include "cli/argument_text.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

using Args = std::vector<std::string>;

TEST(ArgumentTextTest, ProgramNameAndTheBlanksAfterItAreCutOff) {
  EXPECT_EQ(ArgumentText(R"("C:\Program Files\Quarnel\quarnel.exe"  -v "my site")"),
            R"(-v "my site")");
  EXPECT_EQ(ArgumentText("quarnel.exe\tsite"), "site");
  EXPECT_EQ(ArgumentText("quarnel.exe"), "");
  EXPECT_EQ(ArgumentText(R"("C:\q\quarnel.exe")"), "");
  EXPECT_EQ(ArgumentText(R"("C:\unclosed name)"), "");
}

TEST(ArgumentTextTest, QuotesGroupBlanksAndBackslashesStayAsTheyAre) {
  EXPECT_EQ(SplitArgumentText(R"(-v "C:\my site\" D:\pages\a.htm)"),
            (Args{"-v", R"(C:\my site\)", R"(D:\pages\a.htm)"}));
  EXPECT_EQ(SplitArgumentText(R"("日本語 フォルダ"  "한국어 😀.htm")"),
            (Args{"日本語 フォルダ", "한국어 😀.htm"}));
  EXPECT_EQ(SplitArgumentText(R"(C:\"my site"\a.htm "" x)"),
            (Args{R"(C:\my site\a.htm)", "", "x"}));
  EXPECT_EQ(SplitArgumentText(" \t "), Args{});
  EXPECT_EQ(SplitArgumentText(R"("unclosed quote )"), Args{"unclosed quote "});
}

}  // namespace
}  // namespace quarnel
