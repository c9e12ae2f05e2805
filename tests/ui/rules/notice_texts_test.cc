#include "ui/rules/notice_texts.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

TEST(NoticeTextsTest, TenDetailsAtMostThenHowManyMore) {
  std::vector<std::string> details;
  for (int i = 0; i < 12; ++i) details.push_back("p" + std::to_string(i));
  const std::vector<std::string> shown = ShownProblemLines(details);
  ASSERT_EQ(shown.size(), 11u);
  EXPECT_EQ(shown[9], "p9");
  EXPECT_EQ(shown[10], "…ほか 2 件");
  details.resize(10);
  EXPECT_EQ(ShownProblemLines(details), details);
}

TEST(NoticeTextsTest, ErrorLinesLoseTheProgramName) {
  EXPECT_EQ(ProblemLinesFromErrors("quarnel: a.htm: the file is read-only\n\n"
                                   "quarnel: warning: Quarnel.ini: device error\nbare line"),
            (std::vector<std::string>{"a.htm: the file is read-only",
                                      "warning: Quarnel.ini: device error", "bare line"}));
}

}  // namespace
}  // namespace quarnel
