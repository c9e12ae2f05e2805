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

}  // namespace
}  // namespace quarnel
