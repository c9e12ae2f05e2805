#include "engine/join_lines.h"

#include <gtest/gtest.h>

#include "settings/default_lists.h"

namespace quarnel {
namespace {

LineList Join(LineList lines, const ItemList& tags, bool* changed = nullptr) {
  const bool result = JoinLines(lines, tags, Encoding::kUtf8);
  if (changed != nullptr) *changed = result;
  return lines;
}

const ItemList& DefaultTags() {
  static const ItemList tags = DefaultJoinTags();
  return tags;
}

TEST(JoinLinesTest, WorkedTableExample) {
  bool changed = false;
  EXPECT_EQ(Join({"<table>", "<tr>", "<td>x", "</td>", "</table>"}, DefaultTags(), &changed),
            (LineList{"<table><tr>", "", "<td>x </td></table>", "", ""}));
  EXPECT_TRUE(changed);
}

TEST(JoinLinesTest, JoinTakesAtMostOneFollowingLine) {
  EXPECT_EQ(Join({"a", "b", "c"}, {}), (LineList{"a b", "", "c"}));
  // The appended line is trimmed at both ends; the blank is added even
  // before an empty line.
  EXPECT_EQ(Join({"text", "  more\t", "<br>"}, {}), (LineList{"text more", "", "<br>"}));
  EXPECT_EQ(Join({"text", ""}, {}), (LineList{"text ", ""}));
  // A line of blanks only is not trimmed and keeps them after the blank.
  EXPECT_EQ(Join({"text", " \t"}, {}), (LineList{"text  \t", ""}));
  // Nothing to do: every line ends with ">".
  bool changed = true;
  EXPECT_EQ(Join({"<p>", "</p>"}, {}, &changed), (LineList{"<p>", "</p>"}));
  EXPECT_FALSE(changed);
}

TEST(JoinLinesTest, MultiLineCommentsAreLeftAlone) {
  const LineList script = {"<script><!--", "var a", "b = 1;", "//-->", "x", "<p>"};
  EXPECT_EQ(Join(script, {}), (LineList{"<script><!--", "var a", "b = 1;", "//-->", "x <p>", ""}));
  // A complete comment ending in ">" is not joined; one followed by text is.
  EXPECT_EQ(Join({"<!-- c -->", "x>"}, {}), (LineList{"<!-- c -->", "x>"}));
  EXPECT_EQ(Join({"<!-- c --> t", "x>"}, {}), (LineList{"<!-- c --> t x>", ""}));
  // "<!->" closes on its own line; only the first opening of a line counts.
  EXPECT_EQ(Join({"<!->", "x>"}, {}), (LineList{"<!->", "x>"}));
  EXPECT_EQ(Join({"<!-- a --> <!-- b", "c", "-->", "d", "e>"}, {}),
            (LineList{"<!-- a --> <!-- b c", "", "-->", "d e>", ""}));
}

TEST(JoinLinesTest, CommentGuardEdges) {
  // Never closed: every line from the opening on is protected.
  EXPECT_EQ(Join({"a", "<p>", "<!-- open", "b", "c"}, {}),
            (LineList{"a <p>", "", "<!-- open", "b", "c"}));
  // An opening appended to the line above is no longer guarded.
  EXPECT_EQ(Join({"text", "<!-- c", "inner", "-->"}, {}),
            (LineList{"text <!-- c", "", "inner -->", ""}));
  // An unclosed opening on the last line is not guarded; the pull applies.
  EXPECT_EQ(Join({"<td>", "</td>"}, {"</td>"}), (LineList{"<td></td>", ""}));
  EXPECT_EQ(Join({"<b>", "<!--x"}, {"<!--x"}), (LineList{"<b><!--x", ""}));
  // Comment lines are pull targets like any other line.
  EXPECT_EQ(Join({"<!-- a", "b -->", "</p>"}, {"</p>"}), (LineList{"<!-- a", "b --></p>", ""}));
}

TEST(JoinLinesTest, PullFindsNearestNonEmptyLineAbove) {
  EXPECT_EQ(Join({"<p>x</p>", "", "", "</P>"}, DefaultTags()),
            (LineList{"<p>x</p></P>", "", "", ""}));
  // At index 0, or with only empty lines above, nothing happens.
  EXPECT_EQ(Join({"</p>", "<br>"}, DefaultTags()), (LineList{"</p><br>", ""}));
  EXPECT_EQ(Join({"", "", "</td>"}, DefaultTags()), (LineList{"", "", "</td>"}));
  // Without items, or with only an empty item, the pull is off.
  EXPECT_EQ(Join({"<a>", "</p>"}, {}), (LineList{"<a>", "</p>"}));
  EXPECT_EQ(Join({"<a>", "", "</p>"}, {""}), (LineList{"<a>", "", "</p>"}));
  // A chain of tags collects onto one line.
  EXPECT_EQ(Join({"<td>", "</td>", "</tr>", "</table>"}, DefaultTags()),
            (LineList{"<td></td>", "", "</tr></table>", ""}));
}

TEST(JoinLinesTest, PullComparesCp932CharactersWhole) {
  const ItemList tags = {"<\x82\x61>"};
  LineList lines = {"<p>", "<\x82\x41>", "<\x82\x61>"};
  EXPECT_TRUE(JoinLines(lines, tags, Encoding::kCp932));
  EXPECT_EQ(lines, (LineList{"<p>", "<\x82\x41><\x82\x61>", ""}));
}

}  // namespace
}  // namespace quarnel
