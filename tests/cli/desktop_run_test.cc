#include "cli/desktop_run.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/batch_run.h"
#include "platform/mem_env.h"

namespace quarnel {
namespace {

// Launched from the desktop, nobody reads standard error: what the run
// writes there is also handed to the notice, and a clean run shows none.
TEST(RunFromDesktopTest, ProblemsGoToTheNoticeAsWellAsToStandardError) {
  MemEnv env;
  env.AddFolder(R"(C:\Quarnel)");
  env.SetProgramFolder(R"(C:\Quarnel)");
  env.AddFile(R"(C:\site\a.html)", "<head>\r\n<p>x</p>  \r\n");
  env.AddFile(R"(C:\site\locked.htm)", "<head>\r\n\r\n", kAttrReadOnly);
  std::vector<std::vector<std::string>> told;
  const ProblemTeller tell = [&told](const std::vector<std::string>& lines) {
    told.push_back(lines);
  };
  Settings settings;
  std::ostringstream out;
  std::ostringstream err;

  EXPECT_EQ(RunFromDesktop({"--desktop", R"(C:\site)"}, env, settings, out, err, tell),
            kExitFailure);
  const std::string line = R"(quarnel: C:\site\locked.htm: the file is read-only)";
  EXPECT_EQ(err.str(), line + "\n");
  EXPECT_EQ(told, (std::vector<std::vector<std::string>>{{line}}));
  EXPECT_EQ(env.Contents(R"(C:\site\a.html)"), "<head>\r\n<p>x</p>\r\n");

  told.clear();
  EXPECT_EQ(RunFromDesktop({"-d", R"(C:\site\a.html)"}, env, settings, out, err, tell), kExitOk);
  EXPECT_TRUE(told.empty());
}

}  // namespace
}  // namespace quarnel
