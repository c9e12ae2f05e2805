#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/default_lists.h"
#include "tests/settings/sample_files.h"
#include "tests/support/temp_folder.h"

namespace quarnel {
namespace {

namespace fs = std::filesystem;

// Each test gets a fresh program folder on the real file system.
class SettingsFileTest : public ::testing::Test {
 protected:
  std::string IniPath() const { return dir_ / "Quarnel.ini"; }

  void WriteIni(const std::string& bytes) const { dir_.Write("Quarnel.ini", bytes); }
  std::string ReadIni() const { return testing_support::TempFolder::Read(IniPath()); }
  std::vector<std::string> FolderEntries() const {
    const std::set<std::string> names = dir_.Names();
    return {names.begin(), names.end()};
  }

  Status Load() { return LoadSettings(env_, folder_, settings_); }
  Status Save(bool pinShown) { return SaveSettings(env_, folder_, pinShown, settings_); }

  testing_support::TempFolder dir_;
  const std::string& folder_ = dir_.path();
  Env& env_ = *Env::Default();
  Settings settings_;
};

TEST_F(SettingsFileTest, StartWithoutFileWritesTheDefaults) {
  EXPECT_TRUE(Load().ok());
  EXPECT_TRUE(settings_.SettingsLoaded);
  EXPECT_EQ(settings_.DeleteLines, DefaultDeleteLines());
  EXPECT_EQ(settings_.JoinTags, DefaultJoinTags());
  EXPECT_TRUE(settings_.HeadLines.empty());

  ASSERT_TRUE(Save(/*pinShown=*/true).ok());
  EXPECT_EQ(ReadIni(), kDefaultFile);
  // The replacement leaves no temporary file behind.
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Quarnel.ini"});
}

TEST_F(SettingsFileTest, ForeignHeaderTakesDefaultsSilentlyAndIsRewritten) {
  WriteIni(CrLfLines({kHeader + " ", " 1 ", " 1 ", " 1 ", " 1 ", " 0 ", " 0 ", " 1 ", "head"}));
  EXPECT_TRUE(Load().ok());
  EXPECT_EQ(settings_.CompactMode, 0);
  EXPECT_EQ(settings_.DeleteLines, DefaultDeleteLines());
  EXPECT_TRUE(settings_.HeadLines.empty());
  const std::string foreign = ReadIni();
  ASSERT_TRUE(Save(true).ok());
  EXPECT_EQ(ReadIni(), kDefaultFile);
  std::ifstream backup(IniPath() + ".bak", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}), foreign);
}

TEST_F(SettingsFileTest, ReadsTheFileAndWritesItBackUnchanged) {
  const std::string file = CrLfLines(
      {kHeader, " 1 ", " 1 ", " 0 ", " 1 ", " 1 ", " 0 ", " 2 ", "  gen  ", "", "<meta x>"});
  WriteIni(file);
  ASSERT_TRUE(Load().ok());
  EXPECT_TRUE(settings_.SettingsLoaded);
  EXPECT_EQ(settings_.CompactMode, 1);
  EXPECT_EQ(settings_.DeleteLines, (ItemList{"  gen  "}));
  EXPECT_TRUE(settings_.JoinTags.empty());
  EXPECT_EQ(settings_.HeadLines, (ItemList{"", "<meta x>"}));
  ASSERT_TRUE(Save(true).ok());
  EXPECT_EQ(ReadIni(), file);
}

TEST_F(SettingsFileTest, StrayLinesAreGoneAfterTheSave) {
  WriteIni(CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", "stray"}) + "x");
  ASSERT_TRUE(Load().ok());
  ASSERT_TRUE(Save(true).ok());
  EXPECT_EQ(ReadIni(), CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
}

TEST_F(SettingsFileTest, DamagedFileTakesDefaultsWithAWarning) {
  struct Case {
    std::string file;
    std::string reason;
  };
  const Case cases[] = {
      {CrLfLines({kHeader, " 1 ", " 1 ", " 1 ", " 1 ", " 0 ", " 0 ", " 2 ", "only one"}),
       "the file ends before all its items; using the defaults (the old file is kept as "
       "Quarnel.ini.bak when the settings are saved)"},
      {CrLfLines({kHeader, " 1 ", " 1 ", "-2147483649", " 1 ", " 0 ", " 0 ", " 0 "}),
       "line 4 holds a number outside the 32-bit range; using the defaults (the old file is "
       "kept as Quarnel.ini.bak when the settings are saved)"},
  };
  for (const Case& c : cases) {
    WriteIni(c.file);
    settings_ = Settings{};
    const Status status = Load();
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.path(), IniPath());
    EXPECT_EQ(status.reason(), c.reason);
    // The whole file is set aside: none of its numbers or items are taken.
    EXPECT_EQ(settings_.CompactMode, 0);
    EXPECT_EQ(settings_.TopmostOff, 0);
    EXPECT_EQ(settings_.DeleteLines, DefaultDeleteLines());
    EXPECT_EQ(settings_.JoinTags, DefaultJoinTags());
    EXPECT_TRUE(settings_.HeadLines.empty());
    EXPECT_TRUE(settings_.SettingsLoaded);
    ASSERT_TRUE(Save(true).ok());
    EXPECT_EQ(ReadIni(), kDefaultFile);
    // The user's damaged file is not lost.
    std::ifstream backup(IniPath() + ".bak", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}), c.file);
  }
}

TEST_F(SettingsFileTest, UsableFileIsReplacedWithoutBackup) {
  WriteIni(CrLfLines({kHeader, " 1 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
  ASSERT_TRUE(Load().ok());
  ASSERT_TRUE(Save(true).ok());
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Quarnel.ini"});
}

TEST_F(SettingsFileTest, PinStateGoesToLineFour) {
  WriteIni(CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
  ASSERT_TRUE(Load().ok());
  ASSERT_TRUE(Save(/*pinShown=*/false).ok());
  EXPECT_EQ(settings_.TopmostOff, 1);
  EXPECT_EQ(ReadIni(), CrLfLines({kHeader, " 0 ", " 0 ", " 1 ", " 0 ", " 0 ", " 0 ", " 0 "}));
  ASSERT_TRUE(Save(/*pinShown=*/true).ok());
  EXPECT_EQ(ReadIni(), CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
}

TEST_F(SettingsFileTest, ReadOnlyFileIsLeftAsItIs) {
  const std::string file = CrLfLines({kHeader, " 1 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "});
  WriteIni(file);
  testing_support::MakeReadOnly(IniPath());
  ASSERT_TRUE(Load().ok());
  settings_.HeadLines = {"changed"};
  EXPECT_TRUE(Save(/*pinShown=*/false).ok());
  EXPECT_EQ(ReadIni(), file);
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  EXPECT_EQ(fs::status(testing_support::FsPath(IniPath())).permissions() & write, fs::perms::none)
      << "still read-only";
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Quarnel.ini"});
}

TEST_F(SettingsFileTest, UnwritableFileIsReportedAndLeavesNoTrace) {
  // A folder where the file should be: not a settings file, and no file can
  // take its place.
  fs::create_directory(testing_support::FsPath(IniPath()));
  EXPECT_TRUE(Load().ok());
  EXPECT_EQ(settings_.DeleteLines, DefaultDeleteLines());
  const Status status = Save(true);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.path(), IniPath());
  EXPECT_TRUE(fs::is_directory(testing_support::FsPath(IniPath())));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Quarnel.ini"});
}

TEST_F(SettingsFileTest, DefaultsTouchNothingElse) {
  settings_.CompactMode = 1;
  settings_.TopmostOff = 1;
  settings_.HeadLines = {"kept"};
  ASSERT_TRUE(Load().ok());
  EXPECT_TRUE(settings_.SettingsLoaded);
  EXPECT_EQ(settings_.DeleteLines, DefaultDeleteLines());
  EXPECT_EQ(settings_.JoinTags, DefaultJoinTags());
  EXPECT_EQ(settings_.CompactMode, 1);
  EXPECT_EQ(settings_.TopmostOff, 1);
  EXPECT_EQ(settings_.HeadLines, (ItemList{"kept"}));
}

TEST_F(SettingsFileTest, UsableFileNeedsNoDefaults) {
  WriteIni(CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
  ASSERT_TRUE(Load().ok());
  EXPECT_TRUE(settings_.SettingsLoaded);
  EXPECT_TRUE(settings_.DeleteLines.empty());
}

// 「日本」 in each encoding.
const std::string kNihonUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC";
const std::string kNihonCp932 = "\x93\xFA\x96\x7B";

TEST_F(SettingsFileTest, EachEncodingIsWrittenBackAsRead) {
  const std::string utf8 =
      CrLfLines({kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 1 ", " 0 ", " 0 ", "<p>" + kNihonUtf8});
  // 0x80 starts no CP932 character and must survive too.
  const std::string cp932 = CrLfLines(
      {kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 1 ", " 0 ", " 0 ", "<p>" + kNihonCp932 + "\x80"});
  for (const std::string& file : {utf8, cp932}) {
    WriteIni(file);
    settings_ = Settings{};
    ASSERT_TRUE(Load().ok());
    EXPECT_EQ(settings_.DeleteLines.at(0).substr(0, 9), "<p>" + kNihonUtf8);
    ASSERT_TRUE(Save(true).ok());
    EXPECT_EQ(ReadIni(), file);
  }
}

TEST_F(SettingsFileTest, NewFileIsCp932) {
  ASSERT_TRUE(Load().ok());
  settings_.HeadLines = {kNihonUtf8, "\xE2\x82\xAC"};  // 日本, and € which CP932 lacks
  ASSERT_TRUE(Save(true).ok());
  std::vector<std::string> lines = {kHeader, " 0 ", " 0 ", " 0 ", " 0 ", " 2 ", " 10 ", " 2 "};
  for (const ItemList& list : {DefaultDeleteLines(), DefaultJoinTags()}) {
    lines.insert(lines.end(), list.begin(), list.end());
  }
  lines.insert(lines.end(), {kNihonCp932, "?"});
  EXPECT_EQ(ReadIni(), CrLfLines(lines));
}

}  // namespace
}  // namespace quarnel
