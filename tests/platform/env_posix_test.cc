// The POSIX Env against real files in a temporary folder. Tests run as root
// in CI and as a normal user elsewhere; each one holds for both.
#include <errno.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/env.h"
#include "tests/support/temp_folder.h"

namespace quarnel {
namespace {

namespace fs = std::filesystem;

class PosixEnvTest : public testing::Test {
 protected:
  std::string Path(const std::string& name) const { return root_ + "/" + name; }

  void Write(const std::string& name, const std::string& bytes, mode_t mode = 0644) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    ASSERT_EQ(::chmod(Path(name).c_str(), mode), 0);
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  mode_t Mode(const std::string& name) const {
    struct stat st;
    EXPECT_EQ(::stat(Path(name).c_str(), &st), 0);
    return st.st_mode & 07777;
  }

  // The names in a folder, "." and ".." left out.
  std::set<std::string> Names(const std::string& folder) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
  }

  // Every name a search for `pattern` yields, with its attributes.
  std::vector<std::pair<std::string, std::uint32_t>> Find(const std::string& pattern,
                                                          bool quick = false) const {
    std::vector<std::pair<std::string, std::uint32_t>> found;
    std::unique_ptr<FolderSearch> search;
    const Status started =
        env_->StartSearch(pattern, quick ? SearchDetail::kKinds : SearchDetail::kFull, &search);
    if (!started.ok()) return found;
    for (FindRecord record; search->Next(&record);) {
      found.emplace_back(record.cFileName.data(), record.dwFileAttributes);
    }
    EXPECT_TRUE(search->status().ok()) << search->status().ToString();
    std::sort(found.begin(), found.end());
    return found;
  }

  testing_support::TempFolder dir_;
  const std::string& root_ = dir_.path();
  Env* env_ = Env::Default();
};

TEST_F(PosixEnvTest, SeparatorIsSlash) { EXPECT_EQ(env_->PathSeparator(), '/'); }

TEST_F(PosixEnvTest, AttributesMapTheFileMode) {
  Write("a.html", "x");
  Write("locked.html", "x", 0444);
  Write("mine.html", "x", 0600);
  Write(".hidden.html", "x");
  Write(".locked", "x", 0400);
  fs::create_directory(Path("site"));
  fs::create_directory(Path(".git"));
  fs::create_directory(Path("closed"));
  fs::permissions(Path("closed"), fs::perms(0555));
  fs::create_symlink("a.html", Path("file-link"));
  fs::create_symlink("site", Path("folder-link"));
  fs::create_symlink("missing", Path("dangling"));
  fs::create_symlink("site", Path(".hidden-link"));
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0644), 0);

  struct Case {
    std::string path;
    std::uint32_t attributes;
  };
  const Case cases[] = {
      {Path("a.html"), kAttrArchive},
      {Path("locked.html"), kAttrArchive | kAttrReadOnly},
      {Path("mine.html"), kAttrArchive},
      {Path(".hidden.html"), kAttrArchive | kAttrHidden},
      {Path(".locked"), kAttrArchive | kAttrHidden | kAttrReadOnly},
      {Path("site"), 16},
      {Path("site/"), 16},
      {Path("closed"), 16},  // still walked: each file reports its own error
      {root_, 16},
      {Path(".git"), kAttrDirectory | kAttrHidden},
      {Path("file-link"), kAttrReparsePoint},
      {Path("folder-link"), kAttrReparsePoint | kAttrDirectory},
      {Path("dangling"), kAttrReparsePoint},
      {Path(".hidden-link"), kAttrReparsePoint | kAttrDirectory | kAttrHidden},
      {Path("pipe"), kAttrSystem},
      {Path("site/.."), 16},
      {Path("site/."), 16},
      {Path("missing"), kInvalidAttributes},
      {Path("a.html/x"), kInvalidAttributes},
      {"", kInvalidAttributes},
  };
  for (const auto& c : cases) EXPECT_EQ(env_->GetFileAttributes(c.path), c.attributes) << c.path;
}

TEST_F(PosixEnvTest, DotFolderIsPlain) {
  EXPECT_EQ(env_->GetFileAttributes("."), 16u);
  EXPECT_EQ(env_->GetFileAttributes(".."), 16u);
  EXPECT_EQ(env_->GetFileAttributes("/"), 16u);
}

TEST_F(PosixEnvTest, FolderIdTellsEachFolderByDeviceAndInode) {
  fs::create_directories(Path("a/b"));
  fs::create_directory_symlink("a", Path("link"));
  Write("a/file.html", "x");
  FolderId a, again, viaLink, b;
  ASSERT_TRUE(env_->GetFolderId(Path("a"), &a));
  ASSERT_TRUE(env_->GetFolderId(Path("a/b/.."), &again));
  ASSERT_TRUE(env_->GetFolderId(Path("link"), &viaLink));
  ASSERT_TRUE(env_->GetFolderId(Path("a/b"), &b));
  EXPECT_EQ(a, again);
  EXPECT_EQ(a, viaLink);
  EXPECT_NE(a, b);
  FolderId untouched{7, 7};
  EXPECT_FALSE(env_->GetFolderId(Path("a/file.html"), &untouched));
  EXPECT_FALSE(env_->GetFolderId(Path("missing"), &untouched));
  EXPECT_FALSE(env_->GetFolderId("", &untouched));
  EXPECT_EQ(untouched, (FolderId{7, 7}));
}

TEST_F(PosixEnvTest, FindMatchesWindowsWildcards) {
  Write("a.htm", "");
  Write("B.HTM", "", 0444);
  Write("c.html", "");
  Write("readme", "");
  Write(".h.htm", "");
  fs::create_directory(Path("sub.htm"));

  using Found = std::vector<std::pair<std::string, std::uint32_t>>;
  EXPECT_EQ(Find(Path("*.htm")),
            (Found{{".h.htm", 0x22}, {"B.HTM", 0x21}, {"a.htm", 0x20}, {"sub.htm", 0x10}}));
  EXPECT_EQ(Find(Path("*.*")), (Found{{".", 0x10},
                                      {"..", 0x10},
                                      {".h.htm", 0x22},
                                      {"B.HTM", 0x21},
                                      {"a.htm", 0x20},
                                      {"c.html", 0x20},
                                      {"readme", 0x20},
                                      {"sub.htm", 0x10}}));
  EXPECT_EQ(Find(Path("C.HTML")), (Found{{"c.html", 0x20}}));
  EXPECT_EQ(Find(Path("?.htm?")), (Found{{"c.html", 0x20}}));
}

TEST_F(PosixEnvTest, QuickFindLeavesOutOnlyTheReadOnlyFlag) {
  Write("a.htm", "");
  Write("B.HTM", "", 0444);
  Write(".h.htm", "");
  fs::create_directory(Path("sub"));
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0644), 0);
  fs::create_symlink(Path("sub"), Path("link"));

  using Found = std::vector<std::pair<std::string, std::uint32_t>>;
  const Found quick = Find(Path("*.*"), /*quick=*/true);
  EXPECT_EQ(quick, (Found{{".", 0x10},
                          {"..", 0x10},
                          {".h.htm", 0x22},
                          {"B.HTM", 0x20},
                          {"a.htm", 0x20},
                          {"link", 0x410},
                          {"pipe", 0x04},
                          {"sub", 0x10}}));
  Found full = Find(Path("*.*"));
  for (auto& [name, attributes] : full) attributes &= ~kAttrReadOnly;
  EXPECT_EQ(quick, full);
}

TEST_F(PosixEnvTest, SearchThatCannotStartSaysWhyAndOneThatFindsNothingEnds) {
  Write("a.txt", "");
  fs::create_directories(Path("closed"));
  struct Case {
    std::string pattern;
    std::string reason;
  };
  for (const Case& c : {Case{Path("missing/*.*"), "no such file or folder"},
                        Case{Path("a.txt/*.*"), "a part of the path is not a folder"},
                        Case{Path(""), "no wildcard"}}) {
    std::unique_ptr<FolderSearch> search;
    const Status started = env_->StartSearch(c.pattern, SearchDetail::kFull, &search);
    EXPECT_EQ(started.reason(), c.reason) << c.pattern;
    EXPECT_EQ(search, nullptr) << c.pattern;
  }
  std::unique_ptr<FolderSearch> search;
  ASSERT_TRUE(env_->StartSearch(Path("*.htm"), SearchDetail::kFull, &search).ok());
  FindRecord record;
  EXPECT_FALSE(search->Next(&record));
  EXPECT_TRUE(search->status().ok());
}

TEST_F(PosixEnvTest, SearchesNestAndNamesArePadded) {
  fs::create_directories(Path("a/b"));
  Write("a/b/x.htm", "");
  std::unique_ptr<FolderSearch> first;
  ASSERT_TRUE(env_->StartSearch(Path("a*"), SearchDetail::kFull, &first).ok());
  FindRecord outer;
  ASSERT_TRUE(first->Next(&outer));
  EXPECT_EQ(std::string(outer.cFileName.data()), "a");
  EXPECT_TRUE(std::all_of(outer.cFileName.begin() + 1, outer.cFileName.end(),
                          [](char c) { return c == 0; }));
  EXPECT_TRUE(std::all_of(outer.cAlternateFileName.begin(), outer.cAlternateFileName.end(),
                          [](char c) { return c == 0; }));

  // A search started while another is open (as the walk does) is separate.
  std::unique_ptr<FolderSearch> second;
  ASSERT_TRUE(env_->StartSearch(Path("a/b/*.htm"), SearchDetail::kFull, &second).ok());
  FindRecord inner;
  ASSERT_TRUE(second->Next(&inner));
  EXPECT_EQ(std::string(inner.cFileName.data()), "x.htm");
  EXPECT_FALSE(second->Next(&inner));
  EXPECT_FALSE(first->Next(&outer));
}

TEST_F(PosixEnvTest, SubFolderSearchNeverFollowsALinkPutInItsPlace) {
  fs::create_directories(Path("tree/sub"));
  fs::create_directories(Path("outside"));
  Write("outside/x.htm", "");
  std::unique_ptr<FolderSearch> parent;
  ASSERT_TRUE(env_->StartSearch(Path("tree/*.*"), SearchDetail::kKinds, &parent).ok());
  fs::remove(Path("tree/sub"));
  fs::create_directory_symlink(Path("outside"), Path("tree/sub"));
  std::unique_ptr<FolderSearch> sub;
  const Status started =
      env_->StartSearch(Path("tree/sub/*.*"), SearchDetail::kKinds, &sub, parent.get());
  EXPECT_EQ(started.reason(), "no longer a folder: a link or file took its place");
  // Without the parent the path is followed as given.
  ASSERT_TRUE(env_->StartSearch(Path("tree/sub/*.*"), SearchDetail::kKinds, &sub).ok());
  FolderId outside;
  ASSERT_TRUE(env_->GetFolderId(Path("outside"), &outside));
  EXPECT_EQ(sub->Folder(), outside);
}

TEST_F(PosixEnvTest, FindWithoutFolderSearchesTheWorkingFolder) {
  Write("only.htm", "");
  const fs::path before = fs::current_path();
  fs::current_path(root_);
  const auto found = Find("*.htm");
  fs::current_path(before);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].first, "only.htm");
}

TEST_F(PosixEnvTest, ReadFileReadsEveryByte) {
  std::string bytes(300000, 'x');
  bytes[5] = '\0';
  bytes[299999] = '\xFF';
  Write("big.html", bytes);
  std::string contents = "old";
  ASSERT_TRUE(env_->ReadFile(Path("big.html"), &contents).ok());
  EXPECT_EQ(contents, bytes);
  Write("empty.html", "");
  ASSERT_TRUE(env_->ReadFile(Path("empty.html"), &contents).ok());
  EXPECT_EQ(contents, "");
}

TEST_F(PosixEnvTest, ReadFileErrorsNameThePath) {
  std::string contents;
  Status s = env_->ReadFile(Path("missing.html"), &contents);
  EXPECT_EQ(s.code(), Status::Code::kNotFound);
  EXPECT_EQ(s.ToString(), Path("missing.html") + ": no such file or folder");

  fs::create_directory(Path("folder.html"));
  s = env_->ReadFile(Path("folder.html"), &contents);
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(s.ToString(), Path("folder.html") + ": is a folder");

  ASSERT_EQ(::mkfifo(Path("pipe.html").c_str(), 0644), 0);  // would block a plain open
  s = env_->ReadFile(Path("pipe.html"), &contents);
  EXPECT_EQ(s.ToString(), Path("pipe.html") + ": not a regular file");

  Write("file", "x");
  s = env_->ReadFile(Path("file/inner.html"), &contents);
  EXPECT_EQ(s.code(), Status::Code::kNotFound);
  EXPECT_EQ(s.path(), Path("file/inner.html"));
}

TEST_F(PosixEnvTest, ReplaceFileKeepsExtendedAttributes) {
  Write("a.html", "old");
  const std::string path = Path("a.html");
  constexpr std::string_view kNote = "kept \x01\x00 across a rewrite";
  if (::setxattr(path.c_str(), "user.quarnel.note", kNote.data(), kNote.size(), 0) != 0) {
    GTEST_SKIP() << "this file system keeps no user attributes: " << std::strerror(errno);
  }
  ::setxattr(path.c_str(), "user.quarnel.empty", "", 0, 0);
  ASSERT_TRUE(env_->ReplaceFile(path, "new").ok());
  char value[64] = {};
  EXPECT_EQ(::getxattr(path.c_str(), "user.quarnel.note", value, sizeof value),
            static_cast<ssize_t>(kNote.size()));
  EXPECT_EQ(std::string_view(value, kNote.size()), kNote);
  EXPECT_EQ(::getxattr(path.c_str(), "user.quarnel.empty", value, sizeof value), 0);
}

TEST_F(PosixEnvTest, ReplaceFileReplacesTheWholeContent) {
  Write("a.html", "a much longer old content\r\n");
  ASSERT_TRUE(env_->ReplaceFile(Path("a.html"), "new").ok());
  EXPECT_EQ(Read("a.html"), "new");
  ASSERT_TRUE(env_->ReplaceFile(Path("a.html"), std::string("lon\0ger\xFF", 8)).ok());
  EXPECT_EQ(Read("a.html"), std::string("lon\0ger\xFF", 8));
  ASSERT_TRUE(env_->ReplaceFile(Path("a.html"), "").ok());
  EXPECT_EQ(Read("a.html"), "");
  EXPECT_EQ(Names(root_), std::set<std::string>{"a.html"});  // no temporary file left
}

TEST_F(PosixEnvTest, ReplaceFileKeepsPermissionBits) {
  for (const mode_t mode : {0751, 0600, 0644, 0640}) {
    Write("p.html", "old", mode);
    ASSERT_TRUE(env_->ReplaceFile(Path("p.html"), "new").ok());
    EXPECT_EQ(Mode("p.html"), mode);
    EXPECT_EQ(Read("p.html"), "new");
  }
}

TEST_F(PosixEnvTest, ReplaceFileCreatesAMissingFileWithTheUmask) {
  const mode_t old = ::umask(027);
  const Status s = env_->ReplaceFile(Path("new.html"), "fresh");
  ::umask(old);
  ASSERT_TRUE(s.ok()) << s.ToString();
  EXPECT_EQ(Read("new.html"), "fresh");
  EXPECT_EQ(Mode("new.html"), 0640u);
}

TEST_F(PosixEnvTest, ReplaceFileFollowsSymbolicLinks) {
  fs::create_directories(Path("real"));
  Write("real/target.html", "old", 0640);
  fs::create_symlink("real/target.html", Path("hop.html"));
  fs::create_symlink(Path("hop.html"), Path("link.html"));  // absolute, then relative
  ASSERT_TRUE(env_->ReplaceFile(Path("link.html"), "new").ok());
  EXPECT_TRUE(fs::is_symlink(Path("link.html")));
  EXPECT_TRUE(fs::is_symlink(Path("hop.html")));
  EXPECT_EQ(Read("real/target.html"), "new");
  EXPECT_EQ(Mode("real/target.html"), 0640u);
  EXPECT_EQ(Names(Path("real")), std::set<std::string>{"target.html"});

  fs::create_symlink("loop2", Path("loop1"));
  fs::create_symlink("loop1", Path("loop2"));
  const Status s = env_->ReplaceFile(Path("loop1"), "x");
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(s.path(), Path("loop1"));

  // A link to a folder, written with its separator, leads to the folder.
  fs::create_symlink("real/", Path("folder.html"));
  EXPECT_EQ(env_->ReplaceFile(Path("folder.html"), "x").reason(), "is a folder");
  EXPECT_EQ(Names(Path("real")), std::set<std::string>{"target.html"});
}

TEST_F(PosixEnvTest, ReplaceFileWorksOnlyInTheFolderTheWalkListed) {
  fs::create_directories(Path("tree/sub"));
  fs::create_directories(Path("outside"));
  Write("outside/a.html", "outside");
  FolderId listed;
  ASSERT_TRUE(env_->GetFolderId(Path("tree/sub"), &listed));
  // The folder is swapped for a link to another one after the walk.
  fs::rename(Path("tree/sub"), Path("tree/aside"));
  fs::create_directory_symlink(Path("outside"), Path("tree/sub"));
  ReplaceGuard guard;
  guard.folder = &listed;
  const Status s = env_->ReplaceFile(Path("tree/sub/a.html"), "new", guard);
  EXPECT_EQ(s.code(), Status::Code::kChanged) << s.ToString();
  EXPECT_EQ(Read("outside/a.html"), "outside");
  EXPECT_EQ(Names(Path("outside")), std::set<std::string>{"a.html"});
  // Its own folder, under whatever path, is fine.
  EXPECT_TRUE(env_->ReplaceFile(Path("tree/aside/a.html"), "new", guard).ok());
  EXPECT_EQ(Read("tree/aside/a.html"), "new");
}

TEST_F(PosixEnvTest, ReplaceFileRefusesAReadOnlyFileAndLeavesIt) {
  Write("locked.html", "old", 0444);
  const auto before = fs::last_write_time(Path("locked.html"));
  const Status s = env_->ReplaceFile(Path("locked.html"), "new");
  EXPECT_EQ(s.code(), Status::Code::kReadOnly);
  EXPECT_EQ(s.ToString(), Path("locked.html") + ": the file is read-only");
  EXPECT_EQ(Read("locked.html"), "old");
  EXPECT_EQ(Mode("locked.html"), 0444u);
  EXPECT_EQ(fs::last_write_time(Path("locked.html")), before);
  EXPECT_EQ(Names(root_), std::set<std::string>{"locked.html"});

  // Through a link too.
  fs::create_symlink("locked.html", Path("link.html"));
  EXPECT_EQ(env_->ReplaceFile(Path("link.html"), "new").code(), Status::Code::kReadOnly);
  EXPECT_EQ(Read("locked.html"), "old");
}

TEST_F(PosixEnvTest, ReplaceFileFailuresLeaveNoTemporaryFile) {
  Status s = env_->ReplaceFile(Path("missing/a.html"), "x");
  EXPECT_EQ(s.code(), Status::Code::kNotFound);
  EXPECT_EQ(s.path(), Path("missing/a.html"));
  EXPECT_TRUE(Names(root_).empty());

  fs::create_directory(Path("folder.html"));
  s = env_->ReplaceFile(Path("folder.html"), "x");
  EXPECT_EQ(s.ToString(), Path("folder.html") + ": is a folder");

  ASSERT_EQ(::mkfifo(Path("pipe.html").c_str(), 0644), 0);
  EXPECT_FALSE(env_->ReplaceFile(Path("pipe.html"), "x").ok());

  EXPECT_EQ(env_->ReplaceFile("", "x").code(), Status::Code::kInvalidArgument);
  EXPECT_EQ(env_->ReplaceFile(Path("dir/"), "x").code(), Status::Code::kInvalidArgument);
  EXPECT_EQ(Names(root_), (std::set<std::string>{"folder.html", "pipe.html"}));
}

TEST_F(PosixEnvTest, ReplaceFileGuardLeavesAChangedPageOrAStoppedRunAlone) {
  Write("a.html", "old");
  FileStamp read;
  std::string bytes;
  ASSERT_TRUE(env_->ReadFile(Path("a.html"), &bytes, &read).ok());
  FileStamp now;
  ASSERT_TRUE(env_->GetFileStamp(Path("a.html"), &now));
  EXPECT_EQ(now, read);

  // Another program saves the page between the read and the rename.
  Write("b.html", "saved by an editor");
  fs::rename(Path("b.html"), Path("a.html"));
  Status s = env_->ReplaceFile(Path("a.html"), "compacted", {&read, nullptr});
  EXPECT_EQ(s.ToString(), Path("a.html") + ": changed while being compacted; left as it is");
  EXPECT_EQ(Read("a.html"), "saved by an editor");

  const std::atomic<bool> stop = true;
  s = env_->ReplaceFile(Path("a.html"), "compacted", {nullptr, &stop});
  EXPECT_EQ(s.code(), Status::Code::kStopped);
  EXPECT_EQ(Read("a.html"), "saved by an editor");
  EXPECT_EQ(Names(root_), std::set<std::string>{"a.html"});
}

TEST_F(PosixEnvTest, ReplaceFileThatCannotBeWrittenKeepsTheOriginal) {
  // The size limit stops writes for root too; it turns the temporary file's
  // write into a failure part-way through.
  Write("a.html", "original");
  struct rlimit old;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const Status s = env_->ReplaceFile(Path("a.html"), std::string(10000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(s.ToString(), Path("a.html") + ": the file is too large");
  EXPECT_EQ(Read("a.html"), "original");
  EXPECT_EQ(Names(root_), std::set<std::string>{"a.html"});
}

TEST_F(PosixEnvTest, ReplaceFileInAClosedFolderNeverLosesTheFile) {
  // Root may still write there; anyone else is refused, with the file whole.
  fs::create_directory(Path("closed"));
  Write("closed/a.html", "old");
  fs::permissions(Path("closed"), fs::perms(0555));
  const Status s = env_->ReplaceFile(Path("closed/a.html"), "new");
  fs::permissions(Path("closed"), fs::perms(0755));
  if (::geteuid() == 0) {
    EXPECT_TRUE(s.ok()) << s.ToString();
    EXPECT_EQ(Read("closed/a.html"), "new");
  } else {
    EXPECT_EQ(s.ToString(),
              Path("closed/a.html") + ": cannot write in its folder: permission denied");
    EXPECT_EQ(Read("closed/a.html"), "old");
  }
  EXPECT_EQ(Names(Path("closed")), std::set<std::string>{"a.html"});
}

TEST_F(PosixEnvTest, ReplaceFileGivesThePathANewFile) {
  // Other hard links keep the old content: the path gets a new file.
  Write("a.html", "old");
  ASSERT_EQ(::link(Path("a.html").c_str(), Path("b.html").c_str()), 0);
  ASSERT_TRUE(env_->ReplaceFile(Path("a.html"), "new").ok());
  EXPECT_EQ(Read("a.html"), "new");
  EXPECT_EQ(Read("b.html"), "old");
}

TEST_F(PosixEnvTest, CreateFolders) {
  ASSERT_TRUE(env_->CreateFolders(Path("x/y//z")).ok());
  EXPECT_TRUE(fs::is_directory(Path("x/y/z")));
  EXPECT_TRUE(env_->CreateFolders(Path("x/y/z/")).ok());  // already there
  EXPECT_TRUE(env_->CreateFolders(root_).ok());

  Write("file", "x");
  const Status s = env_->CreateFolders(Path("file/sub"));
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(s.path(), Path("file"));
  EXPECT_EQ(Read("file"), "x");
  EXPECT_FALSE(env_->CreateFolders("").ok());
}

TEST_F(PosixEnvTest, CanCreateFilesIn) {
  EXPECT_TRUE(env_->CanCreateFilesIn(root_));
  EXPECT_TRUE(Names(root_).empty());  // the probe is gone
  Write("file", "x");
  EXPECT_FALSE(env_->CanCreateFilesIn(Path("file")));
  EXPECT_FALSE(env_->CanCreateFilesIn(Path("missing")));
  EXPECT_FALSE(env_->CanCreateFilesIn(""));
  // Writable-looking to root by its bits, yet no file can be made there.
  if (fs::is_directory("/proc/self")) {
    EXPECT_FALSE(env_->CanCreateFilesIn("/proc/self"));
  }
}

TEST_F(PosixEnvTest, ProgramFolderHoldsTheRunningProgram) {
  const std::string folder = env_->ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.front(), '/');
  EXPECT_NE(folder.back(), '/');
  EXPECT_EQ(fs::path(folder), fs::canonical("/proc/self/exe").parent_path());
}

class EnvironmentVariable {
 public:
  explicit EnvironmentVariable(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) saved_ = value, had_ = true;
  }
  ~EnvironmentVariable() { had_ ? ::setenv(name_, saved_.c_str(), 1) : ::unsetenv(name_); }
  void Set(const char* value) const { value ? ::setenv(name_, value, 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::string saved_;
  bool had_ = false;
};

TEST_F(PosixEnvTest, UserConfigFolderFollowsXdg) {
  const EnvironmentVariable xdg("XDG_CONFIG_HOME");
  const EnvironmentVariable home("HOME");
  xdg.Set("/cfg");
  home.Set("/home/u");
  EXPECT_EQ(env_->UserConfigFolder(), "/cfg/quarnel");
  xdg.Set("relative/cfg");  // not absolute: ignored
  EXPECT_EQ(env_->UserConfigFolder(), "/home/u/.config/quarnel");
  xdg.Set(nullptr);
  home.Set("/home/u/");
  EXPECT_EQ(env_->UserConfigFolder(), "/home/u/.config/quarnel");
  home.Set(nullptr);
  const std::string fromPasswd = env_->UserConfigFolder();
  if (!fromPasswd.empty()) {
    EXPECT_TRUE(fromPasswd.ends_with("/.config/quarnel")) << fromPasswd;
  }
}

}  // namespace
}  // namespace quarnel
