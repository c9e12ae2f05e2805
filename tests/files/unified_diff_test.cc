#include "files/unified_diff.h"

#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace quarnel {
namespace {

using testing_support::TempFolder;

std::string Numbered(int from, int to, std::string_view end = "\n") {
  std::string text;
  for (int i = from; i <= to; ++i) text += "l" + std::to_string(i) + std::string(end);
  return text;
}

TEST(UnifiedDiffTest, WritesHunksAsDiffDoes) {
  EXPECT_EQ(UnifiedDiff("same\n", "same\n", "a", "a"), "");
  // Two changes 6 lines apart share a hunk; the third starts its own, and
  // the last line loses its line end.
  const std::string before = Numbered(1, 20) + "last\n";
  const std::string after =
      "l1\nl2\nl3\nl4\nL5\n" + Numbered(6, 11) + "l13\n" + Numbered(14, 20) + "last";
  EXPECT_EQ(UnifiedDiff(before, after, "site/a page.html", "site/a page.html"),
            "--- \"site/a page.html\"\n+++ \"site/a page.html\"\n"
            "@@ -2,14 +2,13 @@\n l2\n l3\n l4\n-l5\n+L5\n l6\n l7\n l8\n l9\n l10\n l11\n-l12\n"
            " l13\n l14\n l15\n"
            "@@ -18,4 +17,4 @@\n l18\n l19\n l20\n-last\n+last\n\\ No newline at end of file\n");
  // Lines only added, or only removed: the empty side names the line before.
  EXPECT_EQ(UnifiedDiff("", "x\r\n", "p", "p"), "--- p\n+++ p\n@@ -0,0 +1 @@\n+x\r\n");
  EXPECT_EQ(UnifiedDiff("a\nb\n", "a\n", "p", "q"), "--- p\n+++ q\n@@ -1,2 +1 @@\n a\n-b\n");
}

#ifndef _WIN32
// What patch makes of `before` with the diff to `after`.
std::string Patched(const TempFolder& dir, const std::string& before, const std::string& after) {
  const std::string name = "a page.html";
  dir.Write(name, before);
  dir.Write("change.diff", UnifiedDiff(before, after, name, name));
  const std::string command = "cd '" + dir.path() + "' && patch -s -p0 < change.diff";
  if (std::system(command.c_str()) != 0) return "(patch failed)";
  return TempFolder::Read(dir / name);
}

// The property that matters: patch, given the diff, turns the old bytes into
// the new ones exactly, whatever the lines and their ends.
TEST(UnifiedDiffTest, PatchGivesBackTheNewBytes) {
  const TempFolder dir;
  std::mt19937 random(19);
  const std::vector<std::string> kLines = {"<p>",  "</p>",  "",        "  ",    "<td>x</td>",
                                           "text", "\t<b>", "</head>", "<head>"};
  auto page = [&](std::size_t lines) {
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) {
      text += kLines[random() % kLines.size()];
      text += random() % 3 == 0 ? "\n" : "\r\n";
    }
    if (random() % 2 == 0 && !text.empty()) text.pop_back();  // no final line end, or a lone CR
    return text;
  };
  for (int round = 0; round < 25; ++round) {
    const std::string before = page(random() % 60);
    // A compaction's kind of change: lines joined, blanks dropped, lines added.
    std::string after;
    for (const char c : before) {
      const auto roll = random() % 20;
      if ((c == '\n' && roll == 0) || (c == ' ' && roll < 5)) continue;
      after += c;
    }
    if (random() % 4 == 0) after += page(random() % 5);
    ASSERT_EQ(Patched(dir, before, after), after) << round;
  }
}

TEST(UnifiedDiffTest, ManyScatteredChangesStayCorrect) {
  // Every other line changed, with lines that recur: more edits than the
  // search may spend on one box, so parts count as changed whole.
  std::string before, after;
  for (int i = 0; i < 20000; ++i) {
    before += "same\n" + std::to_string(i % 5) + "\n";
    after += "same\n" + std::to_string(i % 7) + "\n";
  }
  const TempFolder dir;
  EXPECT_EQ(Patched(dir, before, after), after);
}
#endif

}  // namespace
}  // namespace quarnel
