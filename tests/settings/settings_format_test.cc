#include "settings/settings_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/default_lists.h"
#include "tests/settings/sample_files.h"

namespace quarnel {
namespace {

using Kind = SettingsFileContent::Kind;

Settings DefaultRecord() {
  Settings settings;
  settings.DeleteLines = DefaultDeleteLines();
  settings.JoinTags = DefaultJoinTags();
  return settings;
}

TEST(SettingsFormatTest, DefaultFileIsTwentyLines) {
  EXPECT_EQ(FormatSettingsFile(DefaultRecord()), kDefaultFile);

  const SettingsFileContent read = ParseSettingsFile(kDefaultFile);
  ASSERT_EQ(read.kind, Kind::kSettings);
  EXPECT_EQ(read.settings.DeleteLines, DefaultDeleteLines());
  EXPECT_EQ(read.settings.JoinTags, DefaultJoinTags());
  EXPECT_TRUE(read.settings.HeadLines.empty());
  EXPECT_FALSE(read.settings.SettingsLoaded);
}

TEST(SettingsFormatTest, ReadsEveryField) {
  const std::string file = CrLfLines({kHeader, " 1 ", " 1 ", " 1 ", " 1 ", " 1 ", " 2 ", " 3 ",
                                      "d0", "j0", "j1", "h0", "h1", "h2"});
  const SettingsFileContent read = ParseSettingsFile(file);
  ASSERT_EQ(read.kind, Kind::kSettings);
  const Settings& s = read.settings;
  EXPECT_EQ(s.CompactMode, 1);
  EXPECT_EQ(s.WriteSignature, 1);
  EXPECT_EQ(s.TopmostOff, 1);
  EXPECT_EQ(s.InsertHeadLines, 1);
  EXPECT_EQ(s.DeleteLines, (ItemList{"d0"}));
  EXPECT_EQ(s.JoinTags, (ItemList{"j0", "j1"}));
  EXPECT_EQ(s.HeadLines, (ItemList{"h0", "h1", "h2"}));
  EXPECT_EQ(FormatSettingsFile(s), file);
}

TEST(SettingsFormatTest, HandEditedNumbersAreParsedAndWrittenPlainly) {
  const SettingsFileContent read =
      ParseSettingsFile(CrLfLines({kHeader, "1.5", "&H10", "-0", "2 x", "0", "0", "0"}));
  ASSERT_EQ(read.kind, Kind::kSettings);
  EXPECT_EQ(read.settings.CompactMode, 2);
  EXPECT_EQ(read.settings.WriteSignature, 16);
  EXPECT_EQ(read.settings.TopmostOff, 0);
  EXPECT_EQ(read.settings.InsertHeadLines, 2);
  EXPECT_EQ(FormatSettingsFile(read.settings),
            CrLfLines({kHeader, " 2 ", " 16 ", " 0 ", " 2 ", " 0 ", " 0 ", " 0 "}));
}

// One reading of each switch for the file job and the windows alike: the
// signature is on when nonzero, size first and head insertion only at 1.
TEST(SettingsSwitchesTest, HandEditedValuesReadOneWayEverywhere) {
  Settings s;
  s.WriteSignature = -3;
  s.CompactMode = 2;
  s.InsertHeadLines = 2;
  s.TopmostOff = 5;
  EXPECT_TRUE(SignatureOn(s));
  EXPECT_FALSE(SizeFirst(s));
  EXPECT_FALSE(HeadLinesOn(s));
  EXPECT_FALSE(StartsPinned(s));
}

TEST(SettingsFormatTest, ForeignFirstLine) {
  for (const std::string& first :
       {kHeader + " ", " " + kHeader, std::string("zentharo quarnel ver 2.01.01"),
        std::string("ZENTHARO QUARNEL VER 2.01.02"), std::string("")}) {
    const std::string file = CrLfLines({first, " 1 ", " 1 ", " 1 ", " 1 ", " 0 ", " 0 ", " 0 "});
    EXPECT_EQ(ParseSettingsFile(file).kind, Kind::kForeign) << first;
  }
  EXPECT_EQ(ParseSettingsFile("").kind, Kind::kForeign);
  // A lone LF belongs to the line, so it makes the header differ.
  EXPECT_EQ(ParseSettingsFile(kHeader + "\n\r\n 0 \r\n").kind, Kind::kForeign);
}

TEST(SettingsFormatTest, CountsOfZeroIgnoreLaterLines) {
  const std::string file =
      CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", "stray", "lines"});
  const SettingsFileContent read = ParseSettingsFile(file);
  ASSERT_EQ(read.kind, Kind::kSettings);
  EXPECT_TRUE(read.settings.DeleteLines.empty());
  EXPECT_TRUE(read.settings.JoinTags.empty());
  EXPECT_TRUE(read.settings.HeadLines.empty());
  EXPECT_EQ(FormatSettingsFile(read.settings),
            CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
}

TEST(SettingsFormatTest, LinesAfterTheLastItemAreDropped) {
  const std::vector<std::string> lines = {kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 1 ",
                                          " 1 ",   " 1 ", "d",   "j",   "h"};
  std::vector<std::string> withExtra = lines;
  withExtra.insert(withExtra.end(), {"extra", "", "more"});
  const SettingsFileContent read = ParseSettingsFile(CrLfLines(withExtra));
  ASSERT_EQ(read.kind, Kind::kSettings);
  EXPECT_EQ(read.settings.HeadLines, (ItemList{"h"}));
  EXPECT_EQ(FormatSettingsFile(read.settings), CrLfLines(lines));
}

TEST(SettingsFormatTest, ItemsSurviveByteExactly) {
  // Blanks around items, empty items, tabs, and a lone LF inside an item.
  const std::string file = CrLfLines({kHeader, " 1 ", " 0 ", " 0 ", " 1 ", " 3 ", " 2 ", " 2 ",
                                      "  <meta a>  ", "", "\t</p>\t", " ", "", "a\nb", ""});
  const SettingsFileContent read = ParseSettingsFile(file);
  ASSERT_EQ(read.kind, Kind::kSettings);
  EXPECT_EQ(read.settings.DeleteLines, (ItemList{"  <meta a>  ", "", "\t</p>\t"}));
  EXPECT_EQ(read.settings.JoinTags, (ItemList{" ", ""}));
  EXPECT_EQ(read.settings.HeadLines, (ItemList{"a\nb", ""}));
  EXPECT_EQ(FormatSettingsFile(read.settings), file);
}

TEST(SettingsFormatTest, LoneCrEndsALine) {
  const std::string file = kHeader + "\r 0 \r 0 \r\n 0 \r 0 \r 1 \r 0 \r 0 \rlast";
  const SettingsFileContent read = ParseSettingsFile(file);
  ASSERT_EQ(read.kind, Kind::kSettings);
  EXPECT_EQ(read.settings.DeleteLines, (ItemList{"last"}));
}

TEST(SettingsFormatTest, DamagedFiles) {
  struct Case {
    std::string file;
    std::string problem;
  };
  const std::string ends = "the file ends before all its items";
  const Case cases[] = {
      {CrLfLines({kHeader}), ends},
      {CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}), ends},
      {CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 2 ", " 1 ", " 0 ", "d0", "d1"}), ends},
      {CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 1 "}), ends},
      // A count that fits 32 bits but not the file: nothing is allocated for it.
      {CrLfLines(
           {kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 2147483647 ", " 2147483647 ", " 2147483647 "}),
       ends},
      {CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", "-1 ", " 0 ", " 0 "}),
       "line 6 holds a negative item count"},
      {CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", "-0.6"}),
       "line 8 holds a negative item count"},
      {CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 4294967297 ", " 0 "}),
       "line 7 holds a number outside the 32-bit range"},
      {CrLfLines({kHeader, " 0 ", " 3000000000 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}),
       "line 3 holds a number outside the 32-bit range"},
  };
  for (const Case& c : cases) {
    const SettingsFileContent read = ParseSettingsFile(c.file);
    EXPECT_EQ(read.kind, Kind::kDamaged) << c.file;
    EXPECT_EQ(read.problem, c.problem) << c.file;
  }
  // Negative numbers outside the counts are values like any other.
  const SettingsFileContent negative =
      ParseSettingsFile(CrLfLines({kHeader, "-1 ", " 0 ", "-7 ", " 0 ", " 0 ", " 0 ", " 0 "}));
  ASSERT_EQ(negative.kind, Kind::kSettings);
  EXPECT_EQ(negative.settings.TopmostOff, -7);
}

TEST(SettingsFormatTest, EncodingIsDetected) {
  EXPECT_EQ(DetectSettingsEncoding("plain ascii\r\n"), Encoding::kCp932);
  EXPECT_EQ(DetectSettingsEncoding(""), Encoding::kCp932);
  EXPECT_EQ(DetectSettingsEncoding("\xE6\x97\xA5\xE6\x9C\xAC"), Encoding::kUtf8);  // 日本
  EXPECT_EQ(DetectSettingsEncoding("\x93\xFA\x96\x7B"), Encoding::kCp932);         // 日本
}

// 「日本」 in each encoding.
const std::string kNihonUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC";
const std::string kNihonCp932 = "\x93\xFA\x96\x7B";

std::string FileWithHeadLines(const std::vector<std::string>& items) {
  std::vector<std::string> lines = {
      kHeader, " 0 ", " 0 ", " 0 ", " 1 ", " 0 ", " 0 ", " " + std::to_string(items.size()) + " "};
  lines.insert(lines.end(), items.begin(), items.end());
  return CrLfLines(lines);
}

TEST(SettingsFormatTest, Utf8FileStaysUtf8) {
  const std::string file = FileWithHeadLines({"<meta content=\"" + kNihonUtf8 + "\">"});
  const SettingsFileContent read = ParseSettingsFile(file);
  ASSERT_EQ(read.kind, Kind::kSettings);
  EXPECT_EQ(read.settings.FileEncoding, Encoding::kUtf8);
  EXPECT_EQ(read.settings.HeadLines, (ItemList{"<meta content=\"" + kNihonUtf8 + "\">"}));
  EXPECT_EQ(FormatSettingsFile(read.settings), file);
}

TEST(SettingsFormatTest, Utf8ByteOrderMarkIsSkipped) {
  const std::string file = FileWithHeadLines({kNihonUtf8});
  const SettingsFileContent read = ParseSettingsFile("\xEF\xBB\xBF" + file);
  ASSERT_EQ(read.kind, Kind::kSettings);
  EXPECT_EQ(read.settings.FileEncoding, Encoding::kUtf8);
  EXPECT_EQ(read.settings.HeadLines, (ItemList{kNihonUtf8}));
  EXPECT_EQ(FormatSettingsFile(read.settings), file);
}

TEST(SettingsFormatTest, Cp932FileStaysCp932ByteForByte) {
  // 0x80 and 0xA0 start no CP932 character; they must come back unchanged.
  const std::string file = FileWithHeadLines({kNihonCp932, "x\x80y\xA0z", "\x82\xA0 "});
  const SettingsFileContent read = ParseSettingsFile(file);
  ASSERT_EQ(read.kind, Kind::kSettings);
  EXPECT_EQ(read.settings.FileEncoding, Encoding::kCp932);
  ASSERT_EQ(read.settings.HeadLines.size(), 3u);
  EXPECT_EQ(read.settings.HeadLines[0], kNihonUtf8);       // held as Unicode
  EXPECT_EQ(read.settings.HeadLines[2], "\xE3\x81\x82 ");  // 「あ 」
  EXPECT_EQ(FormatSettingsFile(read.settings), file);
}

TEST(SettingsFormatTest, Cp932WritesQuestionMarkForWhatItCannotHold) {
  Settings settings;
  settings.FileEncoding = Encoding::kCp932;
  settings.InsertHeadLines = 1;
  settings.HeadLines = {kNihonUtf8 + "\xF0\x9F\x98\x80" + "\xC3\xA9!"};  // 日本😀é!
  EXPECT_EQ(FormatSettingsFile(settings), FileWithHeadLines({kNihonCp932 + "?"
                                                                           "?!"}));

  settings.FileEncoding = Encoding::kUtf8;
  EXPECT_EQ(FormatSettingsFile(settings), FileWithHeadLines({settings.HeadLines[0]}));
}

// Found by fuzzing: Shift-JIS items holding unassigned codes next to
// characters with duplicate codes came back different after every save.
TEST(SettingsFormatTest, OddShiftJisItemsAreStableAcrossSaves) {
  const std::string items[] = {
      std::string("\x82\xA0\x80") + std::string(22, '\xEE') + "\xF0" + std::string(5, '\xEE'),
      "\xEE\xEE\xEE\xF0\xEE\xFA\x41",
      "\x85\x40\x85\x82\xA0",
  };
  for (const std::string& item : items) {
    // A stray line of invalid bytes keeps the file from reading as UTF-8.
    const std::string file =
        CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 1 ", " 0 ", item, "\xFF"});
    const SettingsFileContent first = ParseSettingsFile(file);
    ASSERT_EQ(first.kind, SettingsFileContent::Kind::kSettings);
    const std::string saved = FormatSettingsFile(first.settings);
    const SettingsFileContent second = ParseSettingsFile(saved);
    EXPECT_EQ(second.settings.JoinTags, first.settings.JoinTags);
    EXPECT_EQ(FormatSettingsFile(second.settings), saved);
  }
}

}  // namespace
}  // namespace quarnel
