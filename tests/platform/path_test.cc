#include "platform/path.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

TEST(AddBackslashTest, AddsExactlyOneSeparator) {
  EXPECT_EQ(AddBackslash("", '\\'), "");
  EXPECT_EQ(AddBackslash("C:\\", '\\'), "C:\\");
  EXPECT_EQ(AddBackslash("C:\\site", '\\'), "C:\\site\\");
  EXPECT_EQ(AddBackslash("C:\\site\\", '\\'), "C:\\site\\");
  EXPECT_EQ(AddBackslash("/", '/'), "/");
  EXPECT_EQ(AddBackslash("site", '/'), "site/");
  // Only the given separator counts.
  EXPECT_EQ(AddBackslash("site/", '\\'), "site/\\");
}

TEST(JoinPathTest, JoinsWithOneSeparator) {
  EXPECT_EQ(JoinPath("C:\\", "Quarnel.ini", '\\'), "C:\\Quarnel.ini");
  EXPECT_EQ(JoinPath("C:\\bin", "Quarnel.ini", '\\'), "C:\\bin\\Quarnel.ini");
  EXPECT_EQ(JoinPath("/opt/q/", "readme.htm", '/'), "/opt/q/readme.htm");
  EXPECT_EQ(JoinPath("", "readme.htm", '/'), "readme.htm");
}

TEST(PathNamesTest, SplitsAtTheFileSystemsSeparatorsOnly) {
  using Names = std::vector<std::string_view>;
  EXPECT_EQ(PathNames("C:\\site//a\\", '\\'), (Names{"C:", "site", "a"}));
  // On POSIX a backslash is part of a name.
  EXPECT_EQ(PathNames("/a\\b//c/", '/'), (Names{"a\\b", "c"}));
  EXPECT_EQ(PathNames("//", '/'), Names{});
}

}  // namespace
}  // namespace quarnel
