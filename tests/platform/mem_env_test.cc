#include "platform/mem_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarnel {
namespace {

struct Entry {
  std::string name;
  std::uint32_t attributes;
  bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& e) {
  return out << e.name << "=" << e.attributes;
}

// Every entry a search yields, in the order it yields them.
std::vector<Entry> List(Env& env, const std::string& pattern) {
  std::vector<Entry> entries;
  std::unique_ptr<FolderSearch> search;
  if (!env.StartSearch(pattern, SearchDetail::kFull, &search).ok()) return entries;
  for (FindRecord record; search->Next(&record);) {
    const auto nul = std::find(record.cFileName.begin(), record.cFileName.end(), '\0');
    entries.push_back({std::string(record.cFileName.begin(), nul), record.dwFileAttributes});
  }
  return entries;
}

// The first record a search for `pattern` yields.
FindRecord First(Env& env, const std::string& pattern) {
  std::unique_ptr<FolderSearch> search;
  FindRecord record;
  EXPECT_TRUE(env.StartSearch(pattern, SearchDetail::kFull, &search).ok()) << pattern;
  if (search != nullptr) {
    EXPECT_TRUE(search->Next(&record)) << pattern;
  }
  return record;
}

class MemEnvTest : public testing::Test {
 protected:
  std::unique_ptr<MemEnv> env_ = NewMemEnv();
};

TEST_F(MemEnvTest, AttributesAreWhatTheTestGave) {
  env_->AddFolder("C:\\site");
  env_->AddFolder("C:\\site\\old", 17);
  env_->AddFolder("C:\\site\\saved", 48);
  env_->AddFolder("C:\\site\\junction", kAttrDirectory | kAttrReparsePoint);
  env_->AddFile("C:\\site\\a.html", "", 0x20);
  env_->AddFile("C:\\site\\hidden.htm", "", kAttrHidden | kAttrArchive);
  env_->AddFile("C:\\site\\system.htm", "", kAttrSystem);
  env_->AddFile("C:\\deep\\er\\b.htm", "");

  EXPECT_EQ(env_->PathSeparator(), '\\');
  EXPECT_EQ(env_->GetFileAttributes("C:\\site"), 16u);
  EXPECT_EQ(env_->GetFileAttributes("C:\\site\\"), 16u);
  EXPECT_EQ(env_->GetFileAttributes("c:\\SITE\\Old"), 17u);
  EXPECT_EQ(env_->GetFileAttributes("C:\\site\\saved"), 48u);
  EXPECT_EQ(env_->GetFileAttributes("C:\\site\\junction"), 0x410u);
  EXPECT_EQ(env_->GetFileAttributes("C:\\site\\A.HTML"), 0x20u);
  EXPECT_EQ(env_->GetFileAttributes("C:/site/a.html"), 0x20u);
  EXPECT_EQ(env_->GetFileAttributes("C:\\site\\hidden.htm"), 0x22u);
  EXPECT_EQ(env_->GetFileAttributes("C:\\site\\system.htm"), 0x04u);
  EXPECT_EQ(env_->GetFileAttributes("C:\\deep\\er"), 16u);  // added on the way
  EXPECT_EQ(env_->GetFileAttributes("C:\\"), 16u);
  EXPECT_EQ(env_->GetFileAttributes("C:\\site\\a.html\\"), kInvalidAttributes);
  EXPECT_EQ(env_->GetFileAttributes("C:\\site\\missing"), kInvalidAttributes);
  EXPECT_EQ(env_->GetFileAttributes("D:\\"), kInvalidAttributes);
  EXPECT_EQ(env_->GetFileAttributes(""), kInvalidAttributes);

  env_->SetAttributes("C:\\site", 0x16);
  EXPECT_EQ(env_->GetFileAttributes("C:\\site"), 0x16u);
}

TEST_F(MemEnvTest, SearchListsInTheOrderEntriesWereAdded) {
  env_->AddFolder("C:\\site", 17);
  env_->AddFile("C:\\site\\z.htm", "");
  env_->AddFolder("C:\\site\\sub");
  env_->AddFile("C:\\site\\a.htm", "", 0x21);
  env_->AddFile("C:\\site\\.h", "", 0x22);
  env_->AddFile("C:\\site\\z.htm", "changed");  // stays where it was

  EXPECT_EQ(
      List(*env_, "C:\\site\\*.*"),
      (std::vector<Entry>{
          {".", 17}, {"..", 16}, {"z.htm", 0x20}, {"sub", 16}, {"a.htm", 0x21}, {".h", 0x22}}));
  EXPECT_EQ(List(*env_, "C:\\site\\sub\\*.*"), (std::vector<Entry>{{".", 16}, {"..", 17}}));
  EXPECT_EQ(List(*env_, "C:\\site\\*.HTM"), (std::vector<Entry>{{"z.htm", 0x20}, {"a.htm", 0x21}}));
  // A root has no "." and "..".
  EXPECT_EQ(List(*env_, "C:\\*.*"), (std::vector<Entry>{{"site", 17}}));
}

TEST_F(MemEnvTest, ShortAliasesLetThreeLetterPatternsMatchLongerExtensions) {
  env_->AddFile("C:\\s\\a.html", "", kAttrArchive, "A~1.HTM");
  env_->AddFile("C:\\s\\b.htmx", "", kAttrArchive, "B~1.HTM");
  env_->AddFile("C:\\s\\c.htm", "");
  env_->AddFile("C:\\s\\d.html", "");  // no alias: not found by "*.htm"
  env_->AddFile("C:\\s\\e.shtml", "", kAttrArchive, "E~1.SHT");

  EXPECT_EQ(List(*env_, "C:\\s\\*.htm"),
            (std::vector<Entry>{{"a.html", 0x20}, {"b.htmx", 0x20}, {"c.htm", 0x20}}));
  EXPECT_EQ(List(*env_, "C:\\s\\*.html"), (std::vector<Entry>{{"a.html", 0x20}, {"d.html", 0x20}}));
  EXPECT_EQ(List(*env_, "C:\\s\\*.shtml"), (std::vector<Entry>{{"e.shtml", 0x20}}));

  EXPECT_STREQ(First(*env_, "C:\\s\\b*").cAlternateFileName.data(), "B~1.HTM");
}

TEST_F(MemEnvTest, NamesOfExactly260CharactersFillTheRecord) {
  const std::string name = std::string(256, 'n') + ".htm";
  env_->AddFile("C:\\s\\" + name, "x");
  const FindRecord record = First(*env_, "C:\\s\\*.htm");
  // No NUL after the name where the record holds exactly 260 bytes.
  EXPECT_EQ(std::string(record.cFileName.begin(), record.cFileName.begin() + kMaxPath), name);
  EXPECT_TRUE(std::all_of(record.cFileName.begin() + kMaxPath, record.cFileName.end(),
                          [](char c) { return c == '\0'; }));

  EXPECT_THROW(env_->AddFile("C:\\s\\" + name + "l", ""), std::invalid_argument);
  EXPECT_THROW(env_->AddFile("C:\\s\\a.html", "", kAttrArchive, "LONGNAME.HTML"),
               std::invalid_argument);
  EXPECT_THROW(env_->AddFile("C:\\s\\" + name + "\\inner.htm", ""), std::invalid_argument);
  // A run that asks for such a name is told, as a file system would tell it.
  EXPECT_EQ(env_->CreateFolders("C:\\s\\" + name + "l\\out").code(), Status::Code::kIOError);
  EXPECT_EQ(env_->ReplaceFile("C:\\s\\" + name + "l", "", {}).code(), Status::Code::kIOError);
}

TEST_F(MemEnvTest, SearchesNestAndCountWhileOpen) {
  env_->AddFile("C:\\s\\a\\x.htm", "");
  env_->AddFile("C:\\s\\b.htm", "");
  std::unique_ptr<FolderSearch> first;
  std::unique_ptr<FolderSearch> second;
  ASSERT_TRUE(env_->StartSearch("C:\\s\\*.*", SearchDetail::kFull, &first).ok());
  ASSERT_TRUE(env_->StartSearch("C:\\s\\a\\*.htm", SearchDetail::kFull, &second).ok());
  EXPECT_EQ(env_->open_searches(), 2u);
  FindRecord inner;
  ASSERT_TRUE(second->Next(&inner));
  EXPECT_STREQ(inner.cFileName.data(), "x.htm");
  EXPECT_FALSE(second->Next(&inner));
  second.reset();
  FindRecord outer;
  ASSERT_TRUE(first->Next(&outer));  // "."
  ASSERT_TRUE(first->Next(&outer));  // ".."
  ASSERT_TRUE(first->Next(&outer));
  EXPECT_STREQ(outer.cFileName.data(), "a");
  first.reset();
  EXPECT_EQ(env_->open_searches(), 0u);
}

TEST_F(MemEnvTest, FailedSearchesSayWhyAndEmptyOnesEnd) {
  env_->AddFile("C:\\s\\a.txt", "");
  for (const char* pattern : {"C:\\missing\\*.*", "C:\\s\\a.txt\\*.*", "*.*", "C:\\s\\"}) {
    std::unique_ptr<FolderSearch> search;
    EXPECT_FALSE(env_->StartSearch(pattern, SearchDetail::kFull, &search).ok()) << pattern;
    EXPECT_EQ(search, nullptr);
  }
  EXPECT_TRUE(List(*env_, "C:\\s\\*.htm").empty());
  EXPECT_EQ(env_->open_searches(), 0u);
}

TEST_F(MemEnvTest, InjectedFaults) {
  env_->AddFile("C:\\s\\a.htm", "old");
  env_->AddFile("C:\\s\\sub\\b.htm", "");
  env_->FailReadFile("c:\\S\\A.HTM", Status::IOError("C:\\s\\a.htm", "the device is not ready"));
  env_->FailReplaceFile("C:\\s\\a.htm", Status::PermissionDenied("C:\\s\\a.htm"));
  env_->FailSearch("C:\\s\\sub\\");

  std::string contents;
  EXPECT_EQ(env_->ReadFile("C:\\s\\a.htm", &contents).reason(), "the device is not ready");
  EXPECT_EQ(env_->ReplaceFile("C:\\s\\a.htm", "new").code(), Status::Code::kPermissionDenied);
  EXPECT_EQ(env_->Contents("C:\\s\\a.htm"), "old");
  EXPECT_TRUE(env_->files_written().empty());
  std::unique_ptr<FolderSearch> search;
  EXPECT_EQ(env_->StartSearch("C:\\s\\sub\\*.*", SearchDetail::kFull, &search).reason(),
            "permission denied");
  EXPECT_EQ(List(*env_, "C:\\s\\*.htm").size(), 1u);  // other folders still list

  env_->ClearFaults();
  EXPECT_TRUE(env_->ReadFile("C:\\s\\a.htm", &contents).ok());
  EXPECT_TRUE(env_->ReplaceFile("C:\\s\\a.htm", "new").ok());
  EXPECT_EQ(List(*env_, "C:\\s\\sub\\*.htm").size(), 1u);
}

TEST_F(MemEnvTest, FoldersAndConfiguration) {
  ASSERT_TRUE(env_->CreateFolders("C:\\Users\\me\\AppData\\Quarnel").ok());
  EXPECT_EQ(env_->GetFileAttributes("C:\\Users\\me\\AppData\\Quarnel"), 16u);
  EXPECT_TRUE(env_->CreateFolders("C:\\Users\\me\\").ok());
  EXPECT_TRUE(env_->CanCreateFilesIn("C:\\Users\\me"));
  env_->AddFile("C:\\file", "");
  EXPECT_EQ(env_->CreateFolders("C:\\file\\sub").path(), "C:\\file");
  EXPECT_FALSE(env_->CanCreateFilesIn("C:\\file"));
  EXPECT_FALSE(env_->CanCreateFilesIn("C:\\missing"));
  env_->SetWritable("C:\\Users", false);
  EXPECT_FALSE(env_->CanCreateFilesIn("C:\\Users"));
  EXPECT_EQ(env_->CreateFolders("C:\\Users\\other").code(), Status::Code::kPermissionDenied);

  env_->SetProgramFolder("C:\\Tools\\Quarnel");
  env_->SetUserConfigFolder("");
  EXPECT_EQ(env_->ProgramFolder(), "C:\\Tools\\Quarnel");
  EXPECT_EQ(env_->UserConfigFolder(), "");
}

}  // namespace
}  // namespace quarnel
