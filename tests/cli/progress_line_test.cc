#include "cli/progress_line.h"

#include <sstream>

#include <gtest/gtest.h>

namespace quarnel {
namespace {

using Clock = std::chrono::steady_clock;

TEST(ProgressLineTest, ShownAfterASecondRedrawnAtItsPaceAndCleared) {
  WorkReport report;
  report.AddPagesFound(20);
  report.AddUnchanged(2'500'000);
  report.SetCurrentPage("site/docs/index.html");
  Clock::time_point now{};
  std::ostringstream terminal;
  ProgressLine line(terminal, report, [&] { return now; });

  line.Update();
  EXPECT_EQ(terminal.str(), "") << "not in the first second";
  now += std::chrono::milliseconds(1100);
  line.Update();
  EXPECT_EQ(terminal.str(), "\r\x1b[Kquarnel: 1 of 20 pages, 2.5 MB, site/docs");
  now += std::chrono::milliseconds(100);
  line.Update();
  EXPECT_EQ(terminal.str().size(),
            std::string("\r\x1b[Kquarnel: 1 of 20 pages, 2.5 MB, site/docs").size())
      << "not redrawn sooner than its pace";
  line.Clear();
  EXPECT_TRUE(terminal.str().ends_with("\r\x1b[K"));
}

TEST(ProgressLineTest, LongFolderKeepsItsEndWithinTheWidth) {
  WorkReport report;
  report.SetCurrentPage(std::string(200, 'a') + "/deep/end/page.html");
  const std::string text = ProgressLine::Text(report);
  EXPECT_LE(text.size(), ProgressLine::kWidth);
  EXPECT_TRUE(text.ends_with("/deep/end")) << text;
  EXPECT_NE(text.find(", ..."), std::string::npos) << text;
}

}  // namespace
}  // namespace quarnel
