#include "platform/wildcard.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

struct WildcardCase {
  const char* pattern;
  const char* name;
  bool matches;
};

TEST(MatchesWildcardTest, FollowsTheWindowsRules) {
  const WildcardCase cases[] = {
      {"*.htm", "a.htm", true},
      {"*.htm", "A.HTM", true},
      {"*.htm", "a.html", false},
      {"*.htm", ".htm", true},
      {"*.htm", "a.htm.txt", false},
      {"*.html", "b.shtml", false},
      {"*.shtml", "b.shtml", true},
      {"*.htm", "a.b.htm", true},
      {"*.*", "readme", true},
      {"*.*", "a.html", true},
      {"*.*", ".", true},
      {"*.*", "..", true},
      {"*.*", ".hidden", true},
      {"*", "anything.at.all", true},
      {"a.*", "a", true},
      {"a.*", "ab", false},
      {"?.htm", "x.htm", true},
      {"?.htm", "xy.htm", false},
      {"?.htm", ".htm", false},
      {"?.htm", "\xE3\x81\x82.htm", true},  // one character, three bytes
      {"index.htm", "INDEX.HTM", true},
      {"index.htm", "index.htmx", false},
      {"*a*b*c", "xxaxxbxxbxc", true},
      {"*a*b*c", "xxaxxbxxbx", false},
      {"\xC3\xA9.htm", "\xC3\x89.htm", false},  // case folds ASCII only
      {"*.htm", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
  }
}

}  // namespace
}  // namespace quarnel
