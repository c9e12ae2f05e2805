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
#include "platform/wide_text_windows.h"
#include "tests/support/temp_folder.h"

#ifndef SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
#define SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE 0x2
#endif

namespace quarnel {
namespace {

namespace fs = std::filesystem;
using testing_support::FsPath;
using testing_support::TempFolder;
using testing_support::Utf8;

class WindowsEnvTest : public testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_ / name; }
  void Write(const std::string& name, const std::string& bytes) const { dir_.Write(name, bytes); }
  std::string Read(const std::string& name) const { return TempFolder::Read(Path(name)); }
  std::set<std::string> Names(const std::string& folder) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(FsPath(folder))) {
      names.insert(Utf8(entry.path().filename()));
    }
    return names;
  }
  DWORD Attributes(const std::string& name) const {
    return ::GetFileAttributesW(SystemPath(Path(name)).c_str());
  }
  bool SetAttributes(const std::string& name, DWORD attributes) const {
    return ::SetFileAttributesW(SystemPath(Path(name)).c_str(), attributes) != 0;
  }

  std::vector<std::string> Find(const std::string& pattern) const {
    std::vector<std::string> found;
    std::unique_ptr<FolderSearch> search;
    if (!env_->StartSearch(pattern, SearchDetail::kFull, &search).ok()) return found;
    for (FindRecord record; search->Next(&record);) {
      const auto nul = std::find(record.cFileName.begin(), record.cFileName.end(), '\0');
      found.emplace_back(record.cFileName.begin(), nul);
    }
    EXPECT_TRUE(search->status().ok()) << search->status().ToString();
    std::sort(found.begin(), found.end());
    return found;
  }

  TempFolder dir_;
  const std::string& root_ = dir_.path();
  Env* env_ = Env::Default();
};

TEST_F(WindowsEnvTest, AttributesComeFromTheSystem) {
  Write("a.html", "x");
  Write("locked.html", "x");
  ASSERT_TRUE(SetAttributes("locked.html", FILE_ATTRIBUTE_READONLY));
  fs::create_directory(FsPath(Path("site")));
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
  fs::create_directory(FsPath(Path("sub")));
  const std::vector<std::string> htm = Find(Path("*.htm"));
  EXPECT_TRUE(std::count(htm.begin(), htm.end(), "a.htm") == 1);
  EXPECT_TRUE(std::count(htm.begin(), htm.end(), "B.HTM") == 1);
  const std::vector<std::string> all = Find(Path("*.*"));
  for (const char* name : {".", "..", "a.htm", "B.HTM", "c.html", "sub"}) {
    EXPECT_EQ(std::count(all.begin(), all.end(), name), 1) << name;
  }
  // Nothing matches: a search that ends at once. No folder: the reason.
  EXPECT_TRUE(Find(Path("*.txt")).empty());
  std::unique_ptr<FolderSearch> search;
  const Status missing = env_->StartSearch(Path("missing\\*.*"), SearchDetail::kFull, &search);
  EXPECT_EQ(missing.code(), Status::Code::kNotFound) << missing.ToString();
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
  fs::create_directory(FsPath(Path("folder.html")));
  EXPECT_EQ(env_->ReadFile(Path("folder.html"), &contents).ToString(),
            Path("folder.html") + ": is a folder");
}

TEST_F(WindowsEnvTest, ReplaceRefusesAndLeavesNothingBehind) {
  Write("locked.html", "old");
  ASSERT_TRUE(SetAttributes("locked.html", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(env_->ReplaceFile(Path("locked.html"), "new").code(), Status::Code::kReadOnly);
  EXPECT_EQ(Read("locked.html"), "old");
  EXPECT_EQ(env_->ReplaceFile(Path("missing\\a.html"), "new").code(), Status::Code::kNotFound);
  fs::create_directory(FsPath(Path("folder.html")));
  EXPECT_FALSE(env_->ReplaceFile(Path("folder.html"), "new").ok());
  EXPECT_EQ(Names(root_), (std::set<std::string>{"folder.html", "locked.html"}));
}

TEST_F(WindowsEnvTest, NamesInAnyScriptAndPathsPast260Characters) {
  // None of these names fits code page 1252, and "😀" fits no ANSI code page.
  Write("日本語 フォルダ/한국어 😀.htm", "old");
  const std::string page = Path("日本語 フォルダ\\한국어 😀.htm");
  EXPECT_EQ(Find(Path("日本語 フォルダ\\*.htm")), std::vector<std::string>{"한국어 😀.htm"});
  EXPECT_EQ(env_->GetFileAttributes(Path("日本語 フォルダ")) & kAttrDirectory, kAttrDirectory);
  ASSERT_TRUE(env_->ReplaceFile(page, "new").ok());
  std::string contents;
  ASSERT_TRUE(env_->ReadFile(page, &contents).ok());
  EXPECT_EQ(contents, "new");

  std::string deep = root_;
  for (int i = 0; i < 5; ++i) deep += "\\folder-" + std::to_string(i) + std::string(50, 'x');
  ASSERT_GT(deep.size(), 260u);
  ASSERT_TRUE(env_->CreateFolders(deep).ok());
  const std::string deepPage = deep + "\\deep page.html";
  ASSERT_TRUE(env_->ReplaceFile(deepPage, "first").ok());
  ASSERT_TRUE(env_->ReplaceFile(deepPage, "second").ok());
  ASSERT_TRUE(env_->ReadFile(deepPage, &contents).ok());
  EXPECT_EQ(contents, "second");
  EXPECT_EQ(Find(deep + "\\*.html"), std::vector<std::string>{"deep page.html"});
  EXPECT_NE(env_->GetFileAttributes(deepPage), kInvalidAttributes);
}

TEST_F(WindowsEnvTest, RewriteKeepsAttributesAndCreationTime) {
  Write("page.htm", "old");
  const std::wstring page = SystemPath(Path("page.htm"));
  const FILETIME created{0x12345678, 0x01C00000};  // in 2001
  {
    const HANDLE file =
        ::CreateFileW(page.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(::SetFileTime(file, &created, nullptr, nullptr));
    ::CloseHandle(file);
  }
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(::GetFileAttributesExW(page.c_str(), GetFileExInfoStandard, &data));
  // Wine on a Linux file system keeps no creation time of its own.
  const bool timeKept = data.ftCreationTime.dwHighDateTime == created.dwHighDateTime &&
                        data.ftCreationTime.dwLowDateTime == created.dwLowDateTime;
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(SetAttributes("page.htm", kept));
  // A hidden page given by name is rewritten, and stays hidden.
  ASSERT_TRUE(env_->ReplaceFile(Path("page.htm"), "new").ok());
  EXPECT_EQ(Read("page.htm"), "new");
  ASSERT_TRUE(::GetFileAttributesExW(page.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.dwFileAttributes & (kept | FILE_ATTRIBUTE_READONLY), kept);
  EXPECT_EQ(Names(root_), std::set<std::string>{"page.htm"});
  if (!timeKept) GTEST_SKIP() << "this file system keeps no creation time to carry over";
  EXPECT_EQ(data.ftCreationTime.dwHighDateTime, created.dwHighDateTime);
  EXPECT_EQ(data.ftCreationTime.dwLowDateTime, created.dwLowDateTime);
}

TEST_F(WindowsEnvTest, PageInUseIsReportedAndLeftWhole) {
  Write("busy.htm", "old");
  // Another program holds the page open and shares it with nobody.
  const HANDLE other = ::CreateFileW(SystemPath(Path("busy.htm")).c_str(), GENERIC_READ, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  const Status replaced = env_->ReplaceFile(Path("busy.htm"), "new");
  std::string contents;
  const Status read = env_->ReadFile(Path("busy.htm"), &contents);
  ::CloseHandle(other);
  EXPECT_EQ(replaced.ToString(), Path("busy.htm") + ": the file is in use by another program");
  EXPECT_EQ(read.ToString(), Path("busy.htm") + ": the file is in use by another program");
  EXPECT_EQ(Read("busy.htm"), "old");
  EXPECT_EQ(Names(root_), std::set<std::string>{"busy.htm"});
}

TEST_F(WindowsEnvTest, FolderIdIsTheSameUnderEveryPath) {
  fs::create_directories(FsPath(Path("site\\sub")));
  fs::create_directory(FsPath(Path("other")));
  Write("page.htm", "x");
  FolderId site;
  FolderId again;
  FolderId other;
  ASSERT_TRUE(env_->GetFolderId(Path("site"), &site));
  ASSERT_TRUE(env_->GetFolderId(Path("site\\sub\\.."), &again));
  ASSERT_TRUE(env_->GetFolderId(Path("other"), &other));
  EXPECT_EQ(site, again);
  EXPECT_NE(site, other);
  EXPECT_FALSE(env_->GetFolderId(Path("page.htm"), &other));
}

TEST_F(WindowsEnvTest, ALinkToAFolderIsListedAsAReparsePoint) {
  fs::create_directories(FsPath(Path("site")));
  fs::create_directories(FsPath(Path("outside")));
  if (!::CreateSymbolicLinkW(
          SystemPath(Path("site\\link")).c_str(), SystemPath(Path("outside")).c_str(),
          SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
    GTEST_SKIP() << "this system cannot make a symbolic link (error " << ::GetLastError() << ")";
  }
  // Wine answers that it made the link, and makes nothing.
  if (Attributes("site\\link") == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "CreateSymbolicLinkW reported a link but made none (Wine)";
  }
  // What the walk passes over: it never enters a reparse point.
  std::unique_ptr<FolderSearch> search;
  ASSERT_TRUE(env_->StartSearch(Path("site\\link*"), SearchDetail::kKinds, &search).ok());
  FindRecord record;
  ASSERT_TRUE(search->Next(&record));
  EXPECT_NE(record.dwFileAttributes & kAttrReparsePoint, 0u);
}

TEST_F(WindowsEnvTest, FoldersAndProgramPlaces) {
  ASSERT_TRUE(env_->CreateFolders(Path("x\\y\\z")).ok());
  EXPECT_TRUE(fs::is_directory(FsPath(Path("x\\y\\z"))));
  EXPECT_TRUE(env_->CreateFolders(Path("x\\y")).ok());
  Write("file", "x");
  EXPECT_FALSE(env_->CreateFolders(Path("file\\sub")).ok());
  EXPECT_TRUE(env_->CanCreateFilesIn(root_));
  EXPECT_FALSE(env_->CanCreateFilesIn(Path("missing")));
  EXPECT_EQ(Names(root_), (std::set<std::string>{"file", "x"}));  // the probe is gone

  const std::string program = env_->ProgramFolder();
  ASSERT_FALSE(program.empty());
  EXPECT_TRUE(fs::exists(FsPath(program) / "platform_test.exe"));
  const std::string config = env_->UserConfigFolder();
  EXPECT_TRUE(config.size() > 8 && config.substr(config.size() - 8) == "\\Quarnel") << config;
}

}  // namespace
}  // namespace quarnel
