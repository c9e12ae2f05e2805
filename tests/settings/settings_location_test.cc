#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/companion_file.h"
#include "platform/env_wrapper.h"
#include "platform/mem_env.h"
#include "settings/default_lists.h"
#include "settings/settings_file.h"
#include "settings/settings_format.h"
#include "tests/settings/sample_files.h"

namespace quarnel {
namespace {

// An installed copy: the program folder may be read-only to the user, which
// a test running as root on Linux cannot produce, so the in-memory Env models
// it.
class SettingsLocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_->SetProgramFolder(kProgram);
    env_->SetUserConfigFolder(kUser);
    env_->AddFolder(kProgram);
  }

  const std::string kProgram = "C:\\Program Files\\Quarnel";
  const std::string kProgramIni = "C:\\Program Files\\Quarnel\\Quarnel.ini";
  const std::string kUser = "C:\\Users\\Mio\\AppData\\Roaming\\Quarnel";
  const std::string kUserIni = "C:\\Users\\Mio\\AppData\\Roaming\\Quarnel\\Quarnel.ini";
  std::unique_ptr<MemEnv> env_ = NewMemEnv();
};

void ExpectLocation(const SettingsLocation& location, const std::string& read_path,
                    const std::string& write_path, const std::string& write_folder) {
  EXPECT_EQ(location.read_path, read_path);
  EXPECT_EQ(location.write_path, write_path);
  EXPECT_EQ(location.write_folder, write_folder);
}

TEST_F(SettingsLocationTest, WritableProgramFolderHoldsTheFile) {
  env_->AddFile(kUserIni, kDefaultFile);  // not looked at
  ExpectLocation(LocateSettingsFile(*env_, kProgram), kProgramIni, kProgramIni, kProgram);
}

TEST_F(SettingsLocationTest, InstalledTreeUsesTheUserFolderEvenWhenWritable) {
  // As a root-run /usr/bin/quarnel: its manual lies in ../share/quarnel.
  if (InstalledDataFolder() != "../share/quarnel") GTEST_SKIP() << "another install layout";
  env_->AddFile("C:\\Program Files\\share\\quarnel\\readme.htm", "manual");
  ExpectLocation(LocateSettingsFile(*env_, kProgram), kProgramIni, kUserIni, kUser);
  // A manual beside the program makes it an unpacked copy again.
  env_->AddFile(kProgram + "\\readme.htm", "manual");
  ExpectLocation(LocateSettingsFile(*env_, kProgram), kProgramIni, kProgramIni, kProgram);
}

TEST_F(SettingsLocationTest, DriveRootGetsOneBackslash) {
  env_->AddFolder("D:");
  ExpectLocation(LocateSettingsFile(*env_, "D:\\"), "D:\\Quarnel.ini", "D:\\Quarnel.ini", "D:\\");
}

TEST_F(SettingsLocationTest, UnwritableProgramFolderRedirectsToTheUserFolder) {
  env_->SetWritable(kProgram, false);
  // No per-user file yet: the program folder's one is read.
  ExpectLocation(LocateSettingsFile(*env_, kProgram), kProgramIni, kUserIni, kUser);

  // A folder of that name is no settings file.
  env_->AddFolder(kUserIni);
  ExpectLocation(LocateSettingsFile(*env_, kProgram), kProgramIni, kUserIni, kUser);
}

TEST_F(SettingsLocationTest, PerUserFileIsReadOnceItExists) {
  env_->SetWritable(kProgram, false);
  env_->AddFile(kUserIni, kDefaultFile);
  ExpectLocation(LocateSettingsFile(*env_, kProgram), kUserIni, kUserIni, kUser);
}

TEST_F(SettingsLocationTest, WithoutAUserFolderTheProgramFolderIsUsed) {
  env_->SetWritable(kProgram, false);
  env_->SetUserConfigFolder("");
  ExpectLocation(LocateSettingsFile(*env_, kProgram), kProgramIni, kProgramIni, kProgram);
}

TEST_F(SettingsLocationTest, UnknownProgramFolderNeverMeansTheCurrentFolder) {
  ExpectLocation(LocateSettingsFile(*env_, ""), "", kUserIni, kUser);

  env_->SetUserConfigFolder("");
  ExpectLocation(LocateSettingsFile(*env_, ""), "", "", "");
  Settings settings;
  EXPECT_TRUE(LoadSettings(*env_, "", settings).ok());
  EXPECT_EQ(settings.DeleteLines, DefaultDeleteLines());
  EXPECT_EQ(SaveSettings(*env_, "", true, settings).code(), Status::Code::kNotFound);
}

TEST_F(SettingsLocationTest, InstalledCopyKeepsItsSettingsPerUser) {
  env_->SetWritable(kProgram, false);
  const std::string shipped =
      CrLfLines({kHeader, " 1 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 1 ", "<meta shipped>"});
  env_->AddFile(kProgramIni, shipped);

  Settings first;
  ASSERT_TRUE(LoadSettings(*env_, kProgram, first).ok());
  EXPECT_EQ(first.CompactMode, 1);
  EXPECT_EQ(first.HeadLines, (ItemList{"<meta shipped>"}));
  first.HeadLines = {"<meta mine>"};
  ASSERT_TRUE(SaveSettings(*env_, kProgram, /*pinShown=*/false, first).ok());
  // The user folder was created for it; the shipped file is untouched.
  EXPECT_EQ(env_->GetFileAttributes(kUser), kAttrDirectory);
  EXPECT_EQ(env_->Contents(kProgramIni), shipped);
  EXPECT_EQ(env_->Contents(kUserIni),
            CrLfLines({kHeader, " 1 ", " 0 ", " 1 ", " 0 ", " 0 ", " 0 ", " 1 ", "<meta mine>"}));

  Settings second;
  ASSERT_TRUE(LoadSettings(*env_, kProgram, second).ok());
  EXPECT_EQ(second.HeadLines, (ItemList{"<meta mine>"}));
  EXPECT_EQ(second.TopmostOff, 1);
}

// What Linux cannot produce: hidden and system files, and a file that
// exists but cannot be read.
TEST_F(SettingsLocationTest, HiddenOrSystemFileIsNoSettingsFile) {
  for (const std::uint32_t attributes : {kAttrArchive | kAttrHidden, kAttrArchive | kAttrSystem}) {
    env_->AddFile(kProgramIni,
                  CrLfLines({kHeader, " 1 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}),
                  attributes);
    Settings settings;
    EXPECT_TRUE(LoadSettings(*env_, kProgram, settings).ok());
    EXPECT_EQ(settings.CompactMode, 0);
    EXPECT_EQ(settings.DeleteLines, DefaultDeleteLines());
    EXPECT_TRUE(settings.SettingsLoaded);
  }
  EXPECT_TRUE(env_->files_read().empty());
}

TEST_F(SettingsLocationTest, UnreadableFileTakesDefaultsWithAWarning) {
  env_->AddFile(kProgramIni, CrLfLines({kHeader, " 1 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
  env_->FailReadFile(kProgramIni, Status::IOError(kProgramIni, "device not ready"));
  Settings settings;
  const Status status = LoadSettings(*env_, kProgram, settings);
  EXPECT_EQ(status.ToString(), kProgramIni + ": device not ready; using the defaults");
  EXPECT_EQ(settings.CompactMode, 0);
  EXPECT_EQ(settings.JoinTags, DefaultJoinTags());
  EXPECT_TRUE(settings.SettingsLoaded);
  // A file that cannot be read cannot be kept as a copy either, so the save
  // leaves it alone and says why.
  const Status saved = SaveSettings(*env_, kProgram, true, settings);
  EXPECT_FALSE(saved.ok());
  EXPECT_EQ(*env_->Contents(kProgramIni),
            CrLfLines({kHeader, " 1 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
}

TEST_F(SettingsLocationTest, FileUnreadableOnlyAtStartUpIsKeptBeforeTheDefaultsReplaceIt) {
  const std::string old = CrLfLines({kHeader, " 1 ", " 1 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "});
  env_->AddFile(kProgramIni, old);
  env_->FailReadFile(kProgramIni, Status::IOError(kProgramIni, "device not ready"));
  Settings settings;
  EXPECT_FALSE(LoadSettings(*env_, kProgram, settings).ok());
  env_->ClearFaults();  // the device is back by the end of the run
  EXPECT_TRUE(SaveSettings(*env_, kProgram, true, settings).ok());
  EXPECT_EQ(env_->Contents(kProgramIni + ".bak"), old) << "the user's settings are kept";
  EXPECT_EQ(ParseSettingsFile(*env_->Contents(kProgramIni)).settings.JoinTags, DefaultJoinTags());
}

// The in-memory Env, but the settings file's attributes cannot be read, as
// when the query meets an I/O error.
class UnqueryableEnv final : public EnvWrapper {
 public:
  UnqueryableEnv(Env& base, std::string path) : EnvWrapper(base), path_(std::move(path)) {}
  std::uint32_t GetFileAttributes(const std::string& path) override {
    return path == path_ ? kInvalidAttributes : target().GetFileAttributes(path);
  }

 private:
  std::string path_;
};

TEST_F(SettingsLocationTest, FileWhoseAttributesCannotBeReadIsStillReadOrToldOf) {
  env_->AddFile(kProgramIni, CrLfLines({kHeader, " 1 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
  UnqueryableEnv env(*env_, kProgramIni);
  Settings settings;
  EXPECT_TRUE(LoadSettings(env, kProgram, settings).ok());
  EXPECT_EQ(settings.CompactMode, 1) << "the file is read all the same";

  env_->FailReadFile(kProgramIni, Status::IOError(kProgramIni, "device not ready"));
  Settings fallback;
  EXPECT_EQ(LoadSettings(env, kProgram, fallback).ToString(),
            kProgramIni + ": device not ready; using the defaults");
  EXPECT_EQ(fallback.CompactMode, 0);

  Settings none;
  EXPECT_TRUE(LoadSettings(env, "C:\\Elsewhere", none).ok()) << "missing: no word";
  EXPECT_EQ(none.JoinTags, DefaultJoinTags());
}

TEST_F(SettingsLocationTest, FailedWriteIsReturnedAndReadOnlyIsNot) {
  Settings settings;
  env_->FailReplaceFile(kProgramIni, Status::IOError(kProgramIni, "disk full"));
  EXPECT_EQ(SaveSettings(*env_, kProgram, true, settings).ToString(), kProgramIni + ": disk full");

  env_->ClearFaults();
  env_->FailReplaceFile(kProgramIni, Status::ReadOnly(kProgramIni));
  EXPECT_TRUE(SaveSettings(*env_, kProgram, true, settings).ok());
  EXPECT_FALSE(env_->Contents(kProgramIni).has_value());
}

}  // namespace
}  // namespace quarnel
