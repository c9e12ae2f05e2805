// The Win32 Env against real files in a temporary folder.
#include "platform/windows_include.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/env.h"

namespace quarnel {
namespace {

namespace fs = std::filesystem;

class WindowsEnvTest : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
    root_ = std::string(temp) + "quarnel-env-" + std::to_string(::GetCurrentProcessId()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(root_);
    ASSERT_TRUE(fs::create_directory(root_));
  }
  void TearDown() override {
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      ::SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  std::string Path(const std::string& name) const { return root_ + "\\" + name; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::set<std::string> Names(const std::string& folder) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  std::vector<std::string> Find(const std::string& pattern) const {
    std::vector<std::string> found;
    FindRecord record;
    const FindHandle handle = env_->FindFirstFile(pattern, &record);
    if (handle == kInvalidFindHandle) return found;
    do {
      const auto nul = std::find(record.cFileName.begin(), record.cFileName.end(), '\0');
      found.emplace_back(record.cFileName.begin(), nul);
    } while (env_->FindNextFile(handle, &record));
    env_->FindClose(handle);
    std::sort(found.begin(), found.end());
    return found;
  }

  Env* env_ = Env::Default();
  std::string root_;
};

TEST_F(WindowsEnvTest, AttributesComeFromTheSystem) {
  Write("a.html", "x");
  Write("locked.html", "x");
  ASSERT_TRUE(::SetFileAttributesA(Path("locked.html").c_str(), FILE_ATTRIBUTE_READONLY));
  fs::create_directory(Path("site"));
  EXPECT_EQ(env_->PathSeparator(), '\\');
  EXPECT_NE(env_->GetFileAttributes(Path("a.html")) & kAttrArchive, 0u);
  EXPECT_EQ(env_->GetFileAttributes(Path("locked.html")) & kAttrReadOnly, kAttrReadOnly);
  EXPECT_EQ(env_->GetFileAttributes(Path("site")) & kAttrDirectory, kAttrDirectory);
  EXPECT_EQ(env_->GetFileAttributes(Path("missing")), kInvalidAttributes);
}

TEST_F(WindowsEnvTest, FindMatchesWildcards) {
  Write("a.htm", "");
  Write("B.HTM", "");
  Write("c.html", "");
  fs::create_directory(Path("sub"));
  const std::vector<std::string> htm = Find(Path("*.htm"));
  EXPECT_TRUE(std::count(htm.begin(), htm.end(), "a.htm") == 1);
  EXPECT_TRUE(std::count(htm.begin(), htm.end(), "B.HTM") == 1);
  const std::vector<std::string> all = Find(Path("*.*"));
  for (const char* name : {".", "..", "a.htm", "B.HTM", "c.html", "sub"}) {
    EXPECT_EQ(std::count(all.begin(), all.end(), name), 1) << name;
  }
  FindRecord record;
  record.dwFileAttributes = 77;
  EXPECT_EQ(env_->FindFirstFile(Path("*.txt"), &record), kInvalidFindHandle);
  EXPECT_EQ(env_->FindFirstFile(Path("missing\\*.*"), &record), kInvalidFindHandle);
  EXPECT_EQ(record.dwFileAttributes, 77u);
  EXPECT_FALSE(env_->FindNextFile(kInvalidFindHandle, &record));
  env_->FindClose(kInvalidFindHandle);
}

TEST_F(WindowsEnvTest, ReadAndReplace) {
  Write("a.html", "a much longer old content");
  std::string contents;
  ASSERT_TRUE(env_->ReadFile(Path("a.html"), &contents).ok());
  EXPECT_EQ(contents, "a much longer old content");
  ASSERT_TRUE(env_->ReplaceFile(Path("a.html"), std::string("n\0w\r\n", 5)).ok());
  EXPECT_EQ(Read("a.html"), std::string("n\0w\r\n", 5));
  ASSERT_TRUE(env_->ReplaceFile(Path("new.html"), "fresh").ok());
  EXPECT_EQ(Read("new.html"), "fresh");
  EXPECT_EQ(Names(root_), (std::set<std::string>{"a.html", "new.html"}));

  EXPECT_EQ(env_->ReadFile(Path("missing.html"), &contents).code(), Status::Code::kNotFound);
  fs::create_directory(Path("folder.html"));
  EXPECT_EQ(env_->ReadFile(Path("folder.html"), &contents).ToString(),
            Path("folder.html") + ": is a folder");
}

TEST_F(WindowsEnvTest, ReplaceRefusesAndLeavesNothingBehind) {
  Write("locked.html", "old");
  ASSERT_TRUE(::SetFileAttributesA(Path("locked.html").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(env_->ReplaceFile(Path("locked.html"), "new").code(), Status::Code::kReadOnly);
  EXPECT_EQ(Read("locked.html"), "old");
  EXPECT_EQ(env_->ReplaceFile(Path("missing\\a.html"), "new").code(), Status::Code::kNotFound);
  fs::create_directory(Path("folder.html"));
  EXPECT_FALSE(env_->ReplaceFile(Path("folder.html"), "new").ok());
  EXPECT_EQ(Names(root_), (std::set<std::string>{"folder.html", "locked.html"}));
}

TEST_F(WindowsEnvTest, FoldersAndProgramPlaces) {
  ASSERT_TRUE(env_->CreateFolders(Path("x\\y\\z")).ok());
  EXPECT_TRUE(fs::is_directory(Path("x\\y\\z")));
  EXPECT_TRUE(env_->CreateFolders(Path("x\\y")).ok());
  Write("file", "x");
  EXPECT_FALSE(env_->CreateFolders(Path("file\\sub")).ok());
  EXPECT_TRUE(env_->CanCreateFilesIn(root_));
  EXPECT_FALSE(env_->CanCreateFilesIn(Path("missing")));
  EXPECT_EQ(Names(root_), (std::set<std::string>{"file", "x"}));  // the probe is gone

  const std::string program = env_->ProgramFolder();
  ASSERT_FALSE(program.empty());
  EXPECT_TRUE(fs::exists(fs::path(program) / "platform_test.exe"));
  const std::string config = env_->UserConfigFolder();
  EXPECT_TRUE(config.size() > 8 && config.substr(config.size() - 8) == "\\Quarnel") << config;
}

}  // namespace
}  // namespace quarnel
