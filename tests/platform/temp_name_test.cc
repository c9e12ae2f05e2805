// The names of temporary files: cut to fit, and known again by the walk.
#include "platform/temp_name.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

TEST(TempFileNameTest, ALongNameIsCutBetweenCharactersAndKnownAgain) {
  // 255 bytes leave 235 for the page's name: the cut falls inside 本.
  const std::string name = std::string(230, 'a') + "日本語.html";
  const std::string temp = TempFileName(name, "Ab3xY9", 255);
  EXPECT_EQ(temp, "." + std::string(230, 'a') + "日.quarnel-Ab3xY9.tmp");
  EXPECT_TRUE(IsTempFileName(temp));
  EXPECT_FALSE(IsTempFileName("." + name));
}

}  // namespace
}  // namespace quarnel
