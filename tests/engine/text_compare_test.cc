#include "engine/text_compare.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

constexpr Encoding kSjis = Encoding::kCp932;
constexpr Encoding kUtf8 = Encoding::kUtf8;

TEST(TextCompareTest, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(EqualsIgnoreAsciiCase("</P>", "</p>", kUtf8));
  EXPECT_TRUE(EqualsIgnoreAsciiCase("</P>", "</p>", kSjis));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("</p>", "</p> ", kUtf8));
  // Non-ASCII letters are not folded: "Ä" vs "ä" in UTF-8.
  EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC3\x84", "\xC3\xA4", kUtf8));
  // "[" and "{" differ by the ASCII case bit but are no letters.
  EXPECT_FALSE(EqualsIgnoreAsciiCase("[", "{", kUtf8));
}

TEST(TextCompareTest, Cp932SecondBytesAreNeverFolded) {
  // 0x82 0x61 and 0x82 0x41 are two different characters whose second bytes
  // look like "a" and "A".
  EXPECT_FALSE(EqualsIgnoreAsciiCase("X\x82\x61", "x\x82\x41", kSjis));
  EXPECT_TRUE(EqualsIgnoreAsciiCase("X\x82\x61", "x\x82\x61", kSjis));
  // A lead byte followed by a non-trail byte stands alone; the next byte is
  // then an ordinary character and folds.
  EXPECT_TRUE(EqualsIgnoreAsciiCase("\x82 A", "\x82 a", kSjis));
}

TEST(TextCompareTest, SuffixMustStartOnACharacterBoundary) {
  // The line ends in the two-byte character 0x82 0x61 followed by "bc".
  EXPECT_FALSE(EndsWithIgnoreAsciiCase("x\x82\x61\x62\x63", "abc", kSjis));
  EXPECT_TRUE(EndsWithIgnoreAsciiCase("x\x82\x61\x62\x63", "\x82\x61\x62\x63", kSjis));
  // The trail byte of 0x95 0x5C (a kanji) is no backslash.
  EXPECT_FALSE(EndsWithIgnoreAsciiCase("\x95\x5C", "\\", kSjis));
  EXPECT_TRUE(EndsWithIgnoreAsciiCase("a\\", "\\", kSjis));
  EXPECT_TRUE(EndsWithIgnoreAsciiCase("<META X>", "<meta x>", kSjis));
  EXPECT_TRUE(EndsWithIgnoreAsciiCase("text <META X>", "<meta x>", kUtf8));
  EXPECT_FALSE(EndsWithIgnoreAsciiCase("<meta x> text", "<meta x>", kUtf8));
  EXPECT_FALSE(EndsWithIgnoreAsciiCase("x>", "<meta x>", kUtf8));
  EXPECT_FALSE(EndsWithIgnoreAsciiCase("anything", "", kUtf8));
}

TEST(TextCompareTest, Cp932BoundariesFollowLeadRuns) {
  const std::string hiragana = "\x82\xA0\x82\xA2";
  EXPECT_TRUE(IsCharBoundary(hiragana, 0, kSjis));
  EXPECT_FALSE(IsCharBoundary(hiragana, 1, kSjis));
  EXPECT_TRUE(IsCharBoundary(hiragana, 2, kSjis));
  EXPECT_FALSE(IsCharBoundary(hiragana, 3, kSjis));
  EXPECT_TRUE(IsCharBoundary(hiragana, 4, kSjis));
  // Three lead-range bytes then "A": (81 81) (81 41).
  const std::string run =
      "\x81\x81\x81"
      "A";
  EXPECT_FALSE(IsCharBoundary(run, 1, kSjis));
  EXPECT_TRUE(IsCharBoundary(run, 2, kSjis));
  EXPECT_FALSE(IsCharBoundary(run, 3, kSjis));
  // Same run then a blank: the third lead byte stands alone.
  const std::string lone = "\x81\x81\x81 ";
  EXPECT_TRUE(IsCharBoundary(lone, 2, kSjis));
  EXPECT_TRUE(IsCharBoundary(lone, 3, kSjis));
  EXPECT_TRUE(IsCharBoundary(run, 1, kUtf8));
}

TEST(TextCompareTest, ContainsFindsAsciiTagsAnywhere) {
  EXPECT_TRUE(ContainsIgnoreAsciiCase("<hEaD>", "<HEAD>"));
  EXPECT_TRUE(ContainsIgnoreAsciiCase("<<head><title>", "<HEAD>"));
  EXPECT_TRUE(ContainsIgnoreAsciiCase("\x82<head>", "<HEAD>"));
  EXPECT_FALSE(ContainsIgnoreAsciiCase("<head", "<HEAD>"));
  EXPECT_FALSE(ContainsIgnoreAsciiCase("<head lang=ja>", "<HEAD>"));
  EXPECT_FALSE(ContainsIgnoreAsciiCase("", "<HEAD>"));
}

}  // namespace
}  // namespace quarnel
