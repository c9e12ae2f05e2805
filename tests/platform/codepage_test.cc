#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarnel {
namespace {

struct KnownChar {
  const char* cp932;
  const char* utf8;
};

// Characters whose code is the same both ways.
const KnownChar kKnown[] = {
    {"abc<HEAD>", "abc<HEAD>"},
    {"\x5C", "\\"},                                    // a backslash, not a yen sign
    {"\x7E", "~"},                                     // a tilde, not an overline
    {"\x82\xA0", "\xE3\x81\x82"},                      // あ
    {"\x8A\xBF\x8E\x9A", "\xE6\xBC\xA2\xE5\xAD\x97"},  // 漢字
    {"\xB1\xDF", "\xEF\xBD\xB1\xEF\xBE\x9F"},          // ｱﾟ half-width
    {"\xA1", "\xEF\xBD\xA1"},                          // ｡ first half-width character
    {"\x81\x40", "\xE3\x80\x80"},                      // ideographic space
    {"\x81\x60", "\xEF\xBD\x9E"},                      // ～ U+FF5E
    {"\x81\x7C", "\xEF\xBC\x8D"},                      // － U+FF0D
    {"\x87\x40", "\xE2\x91\xA0"},                      // ① NEC row 13
    {"\x87\x54", "\xE2\x85\xA0"},                      // Ⅰ NEC row 13
    {"\x87\x8A", "\xE3\x88\xB1"},                      // ㈱ NEC row 13
    {"\xFB\xFC", "\xE9\xAB\x99"},                      // 髙 IBM extension
    {"\xFA\xB1", "\xEF\xA8\x91"},                      // 﨑 IBM extension
    {"\xF0\x40", "\xEE\x80\x80"},                      // first user-defined character, U+E000
};

TEST(CodePageTest, KnownCharactersBothWays) {
  for (const auto& k : kKnown) {
    EXPECT_EQ(Cp932ToUtf8(k.cp932), k.utf8) << k.utf8;
    EXPECT_EQ(Utf8ToCp932(k.utf8), k.cp932) << k.utf8;
  }
}

TEST(CodePageTest, DuplicateCodesDecodeAlikeAndEncodeToThePreferredOne) {
  struct Duplicates {
    std::vector<std::string> codes;  // the preferred code first
    const char* utf8;
  };
  const Duplicates cases[] = {
      {{"\x81\xCA", "\xEE\xF9", "\xFA\x54"}, "\xEF\xBF\xA2"},  // ¬ U+FFE2
      {{"\x81\xE6", "\x87\x9A", "\xFA\x5B"}, "\xE2\x88\xB5"},  // ∵
      {{"\x81\xE0", "\x87\x90"}, "\xE2\x89\x92"},              // ≒
      {{"\x87\x54", "\xFA\x4A"}, "\xE2\x85\xA0"},              // Ⅰ
      {{"\xFA\x40", "\xEE\xEF"}, "\xE2\x85\xB0"},              // ⅰ
      {{"\xFA\x5C", "\xED\x40"}, "\xE7\xBA\x8A"},              // 纊
  };
  for (const auto& c : cases) {
    for (const auto& code : c.codes) EXPECT_EQ(Cp932ToUtf8(code), c.utf8) << c.utf8;
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.codes.front()) << c.utf8;
  }
}

TEST(CodePageTest, BytesThatStartNoCharacterAreKeptLosslessly) {
  const KnownChar cases[] = {
      {"\x80", "\xEF\x9E\x80"},  // U+F780
      {"\xA0", "\xEF\x9E\xA0"},  // U+F7A0
      {"\xFD\xFE\xFF", "\xEF\x9F\xBD\xEF\x9F\xBE\xEF\x9F\xBF"},
      {"a\x82", "a\xEF\x9E\x82"},        // lead byte at the end
      {"\x82\r\n", "\xEF\x9E\x82\r\n"},  // lead byte before a non-trail byte
      {"\x81\x7F", "\xEF\x9E\x81\x7F"},  // 0x7F is no trail byte
      {"\x85\x40", "\xEF\x9E\x85@"},     // unassigned code: both bytes kept
      {"\x85\x82\xA0", "\xEF\x9E\x85\xEF\x9E\x82\xEF\x9E\xA0"},
      // The unassigned EEEE stays one unit, so the EEF0 after it is still
      // read as a character the next time (even though it is written back
      // as its preferred twin FA41).
      {"\xEE\xEE\xEE\xF0", "\xEF\x9F\xAE\xEF\x9F\xAE\xE2\x85\xB1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
    // Read, written and read again: the same text.
    EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(c.utf8)), c.utf8);
  }
  EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8("\x85\x82\xA0")), "\x85\x82\xA0");
}

TEST(CodePageTest, EveryByteStringSurvivesWithoutDuplicateCodes) {
  // Every single byte, and every lead byte with every following byte, comes
  // back unchanged unless it is a duplicate code with a preferred twin.
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(one)), one) << b;
  }
  int duplicates = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int next = 0; next < 256; ++next) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(next)};
      const std::string utf8 = Cp932ToUtf8(pair);
      ASSERT_TRUE(IsValidUtf8(utf8));
      const std::string back = Utf8ToCp932(utf8);
      if (back != pair) {
        // A duplicate: the preferred code must decode to the same character.
        ++duplicates;
        EXPECT_EQ(Cp932ToUtf8(back), utf8) << lead << " " << next;
        EXPECT_EQ(back.size(), 2u);
      }
    }
  }
  // The 374 NEC-selected IBM extensions, and the twins between NEC row 13,
  // the IBM extensions and the JIS symbols.
  EXPECT_EQ(duplicates, 398);
}

TEST(CodePageTest, CharactersCp932CannotHoldBecomeQuestionMarks) {
  const KnownChar cases[] = {
      {"?", "\xC3\xA9"},      // é
      {"?", "\xC2\xA5"},      // ¥ must not become a backslash
      {"?", "\xE2\x80\xBE"},  // ‾ must not become a tilde
      {"?", "\xE3\x80\x9C"},  // 〜 U+301C (CP932 has U+FF5E)
      {"?", "\xE2\x88\x92"},  // − U+2212 (CP932 has U+FF0D)
      {"?", "\xC2\x80"},      // U+0080
      {"?", "\xEF\x9D\xBF"},  // U+F77F, just below the kept bytes
      {"a?b",
       "a\xF0\x9F\x98\x80"
       "b"},  // emoji
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
}

TEST(CodePageTest, InvalidUtf8BytesBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp932("\xC0\xAF"), "??");            // overlong "/"
  EXPECT_EQ(Utf8ToCp932("\xED\xA0\x80"), "???");       // surrogate
  EXPECT_EQ(Utf8ToCp932("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
  EXPECT_EQ(Utf8ToCp932("\xE3\x81"
                        "a"),
            "??a");                              // cut short
  EXPECT_EQ(Utf8ToCp932("x\x82\xA0y"), "x??y");  // CP932 bytes, not UTF-8
}

TEST(IsValidUtf8Test, StrictForm) {
  struct Case {
    const char* bytes;
    bool valid;
  };
  const Case cases[] = {
      {"", true},
      {"plain <html>", true},
      {"\xC2\x80", true},
      {"\xDF\xBF", true},
      {"\xE0\xA0\x80", true},
      {"\xED\x9F\xBF", true},  // U+D7FF
      {"\xEE\x80\x80", true},  // U+E000
      {"\xF0\x90\x80\x80", true},
      {"\xF4\x8F\xBF\xBF", true},  // U+10FFFF
      {"\x80", false},
      {"\xC1\xBF", false},          // overlong
      {"\xE0\x9F\xBF", false},      // overlong
      {"\xF0\x8F\xBF\xBF", false},  // overlong
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xF5\x80\x80\x80", false},
      {"\xE3\x81", false},      // cut short
      {"\xE3\x81\x41", false},  // bad continuation
      {"\xFF", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
  EXPECT_TRUE(IsValidUtf8(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace quarnel
