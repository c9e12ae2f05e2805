#include "platform/companion_file.h"

#include <gtest/gtest.h>

#include "platform/mem_env.h"

namespace quarnel {
namespace {

// A build or unpacked copy keeps its files beside the program; an installed
// one finds them through the relative folder, under whatever prefix it lies.
TEST(LocateCompanionFileTest, BesideFirstThenInstalledFolder) {
  auto env = NewMemEnv();
  const std::string_view kDocs = "../share/quarnel";
  env->AddFile(R"(D:\stage\usr\share\quarnel\readme.htm)", "manual");
  EXPECT_EQ(LocateCompanionFile(*env, R"(D:\stage\usr\bin)", kDocs, "readme.htm"),
            R"(D:\stage\usr\share\quarnel\readme.htm)");

  env->AddFile(R"(D:\stage\usr\bin\readme.htm)", "the copy beside wins");
  EXPECT_EQ(LocateCompanionFile(*env, R"(D:\stage\usr\bin)", kDocs, "readme.htm"),
            R"(D:\stage\usr\bin\readme.htm)");

  // A folder of that name is no file; with none anywhere the path beside the
  // program is named.
  env->AddFolder(R"(D:\q\share\quarnel\readme.htm)");
  EXPECT_EQ(LocateCompanionFile(*env, R"(D:\q\bin)", kDocs, "readme.htm"),
            R"(D:\q\bin\readme.htm)");
}

}  // namespace
}  // namespace quarnel
