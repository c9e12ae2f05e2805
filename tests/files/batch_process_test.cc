// The quarnel program run as a process, from a private copy: its settings
// file lives beside it.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "files/text_encoding.h"
#include "settings/default_lists.h"
#include "tests/support/temp_folder.h"

#ifndef QUARNEL_BINARY
#error "QUARNEL_BINARY must name the built quarnel program"
#endif

namespace quarnel {
namespace {

using testing_support::TempFolder;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

constexpr std::string_view kPage = "<html>\r\n<head>\r\n<title>t</title>  \r\n</head>\r\n\r\n";
constexpr std::string_view kCompacted = "<html>\r\n<head>\r\n<title>t</title>\r\n</head>\r\n";

class BatchProcessTest : public ::testing::Test {
 protected:
  BatchProcessTest() {
    program_ = dir_ / "bin/quarnel";
    std::filesystem::create_directories(dir_ / "bin");
    std::filesystem::copy_file(QUARNEL_BINARY, program_);
  }

  // Runs the program in the test's folder, its standard input read from
  // `input` when given.
  Outcome Run(const std::vector<std::string>& args, const std::string& input = {}) {
    const std::string outPath = dir_ / "stdout";
    const std::string errPath = dir_ / "stderr";
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (!input.empty()) ::dup2(::open(input.c_str(), O_RDONLY), 0);
      ::dup2(::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
      ::dup2(::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
      if (::chdir(dir_.path().c_str()) != 0) ::_exit(127);
      std::vector<char*> argv{program_.data()};
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      ::execv(program_.c_str(), argv.data());
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, TempFolder::Read(outPath),
            TempFolder::Read(errPath)};
  }

  std::string SettingsFile() const { return dir_ / "bin/Quarnel.ini"; }
  bool SettingsWritten() const { return std::filesystem::exists(SettingsFile()); }

  TempFolder dir_;
  std::string program_;
};

TEST_F(BatchProcessTest, CleanRunExitsZeroAndWritesTheDefaultSettings) {
  const std::string page = dir_.Write("site/sub/a.html", kPage);
  const Outcome run = Run({"site"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(TempFolder::Read(page), kCompacted);

  std::string expected =
      "ZENTHARO QUARNEL VER 2.01.01\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 2 \r\n 10 \r\n 0 \r\n";
  for (const std::string& item : DefaultDeleteLines()) expected += item + "\r\n";
  for (const std::string& item : DefaultJoinTags()) expected += item + "\r\n";
  EXPECT_EQ(TempFolder::Read(SettingsFile()), expected);
}

TEST_F(BatchProcessTest, EveryFailureIsOneLineAndTheRestIsDone) {
  const std::string locked = dir_.Write("site/locked.html", kPage);
  ::chmod(locked.c_str(), 0444);
  const std::string fine = dir_.Write("site/fine.htm", kPage);
  const std::string target = dir_.Write("real/target.html", kPage);
  std::filesystem::create_symlink("../real/target.html", dir_ / "site/link.html");

  const Outcome run = Run({"missing", "site", "notes.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "quarnel: missing: no such file or folder\n"
            "quarnel: site/locked.html: the file is read-only\n"
            "quarnel: notes.txt: no such file or folder\n");
  EXPECT_EQ(TempFolder::Read(locked), kPage);
  EXPECT_EQ(TempFolder::Read(fine), kCompacted);
  EXPECT_EQ(TempFolder::Read(target), kCompacted);
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "site/link.html"));
  EXPECT_TRUE(SettingsWritten()) << "the settings file is written all the same";
  EXPECT_EQ(dir_.Names("site"), (std::set<std::string>{"fine.htm", "link.html", "locked.html"}));
}

TEST_F(BatchProcessTest, EncodingsSurvive) {
  const std::string bom = dir_.Write(
      "bom.html", std::string(kUtf8ByteOrderMark) + "<head>  \r\n<title>日本語</title>\r\n");
  // Shift-JIS with "表" and "ソ" (second byte "\"), bytes no CP932
  // character uses, and a lead byte standing alone at a line end.
  const std::string sjisLine = "<p>\x95\x5C\x83\x5C\x80\xA0\xFD\x82</p>";
  const std::string sjis = dir_.Write("sjis.html", "<head>\r\n" + sjisLine + "   \r\n\r\n");
  const Outcome run = Run({"-v", "bom.html", "sjis.html"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(TempFolder::Read(bom),
            std::string(kUtf8ByteOrderMark) + "<head>\r\n<title>日本語</title>\r\n");
  EXPECT_EQ(TempFolder::Read(sjis), "<head>\r\n" + sjisLine + "\r\n");
  EXPECT_EQ(run.out,
            "rewrote bom.html (39 -> 37 bytes)\n"
            "rewrote sjis.html (30 -> 25 bytes)\n"
            "2 files examined, 2 rewritten, 0 failed; 69 bytes before, 62 after (7 saved)\n");
}

TEST_F(BatchProcessTest, DryRunWritesNothingAtAll) {
  const std::string page = dir_.Write("site/a.html", kPage);
  const Outcome run = Run({"--dry-run", "site"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "would rewrite site/a.html (47 -> 43 bytes)\n"
            "1 files examined, 1 would be rewritten, 0 failed; 47 bytes before, 43 after (4 would "
            "be saved)\n");
  EXPECT_EQ(TempFolder::Read(page), kPage);
  EXPECT_FALSE(SettingsWritten());
}

TEST_F(BatchProcessTest, UsageErrorsAndTheWindowlessStart) {
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  for (const Case& c : {Case{{"--frobnicate", "site"}, 2}, Case{{"-v"}, 2}, Case{{}, 1}}) {
    const Outcome run = Run(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
    EXPECT_FALSE(SettingsWritten());
  }
  const Outcome help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: quarnel"));
  const Outcome version = Run({"-V"});
  EXPECT_EQ(version.out, "quarnel 2.01.04\n");
}

TEST_F(BatchProcessTest, PathsAfterDoubleDashAndWithBlanksAreTakenWhole) {
  const std::string dashed = dir_.Write("-v.html", kPage);
  const std::string spaced = dir_.Write("my site/a page.html", kPage);
  const Outcome run = Run({"--", "-v.html", "my site"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(TempFolder::Read(dashed), kCompacted);
  EXPECT_EQ(TempFolder::Read(spaced), kCompacted);
}

TEST_F(BatchProcessTest, DashFiltersStandardInputToStandardOutput) {
  const Outcome compacted = Run({"-r", "-"}, dir_.Write("in.html", kPage));
  EXPECT_EQ(compacted.status, 0) << compacted.err;
  EXPECT_EQ(compacted.out, kCompacted);
  EXPECT_EQ(compacted.err, "");
  // Opted out, it comes back byte for byte, without a final line end too.
  const std::string optedOut = "<head>\r\n<!--NO QUARNEL-->\r\n\r\n<p>x</p>  ";
  const Outcome kept = Run({"-"}, dir_.Write("in.html", optedOut));
  EXPECT_EQ(kept.status, 0) << kept.err;
  EXPECT_EQ(kept.out, optedOut);
  const Outcome unreadable = Run({"-"}, dir_.path());
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(unreadable.out, "");
  EXPECT_EQ(unreadable.err, "quarnel: -: standard input cannot be read\n");
  EXPECT_EQ(Run({"-", "site"}).status, 2);
  EXPECT_FALSE(SettingsWritten());
}

TEST_F(BatchProcessTest, DiffAppliedByPatchGivesWhatARunWrites) {
  const std::map<std::string, std::string> pages = {
      {"site/a.html", std::string(kPage)},
      {"site/sub/my page.htm", "<head>\r\n" + std::string(50, '\n') + "<p>a</p>  \r\n<p>b</p>"},
      {"site/utf8.html", std::string(kUtf8ByteOrderMark) + "<head>  \r\n<p>\xE6\x97\xA5</p>\r\n"},
      {"site/kept.html", "<head>\r\n<p>x</p>\r\n"}};
  for (const auto& [path, bytes] : pages) dir_.Write(path, bytes);
  const Outcome diff = Run({"--diff", "site"});
  EXPECT_EQ(diff.status, 0) << diff.err;
  EXPECT_EQ(diff.out.find("--- site/a.html\n+++ site/a.html\n@@ "), 0u) << diff.out;
  EXPECT_EQ(diff.out.find("kept.html"), std::string::npos);
  EXPECT_FALSE(SettingsWritten());
  for (const auto& [path, bytes] : pages) EXPECT_EQ(TempFolder::Read(dir_ / path), bytes);

  dir_.Write("change.diff", diff.out);
  const std::string patch = "cd '" + dir_.path() + "' && patch -s -p0 < change.diff";
  ASSERT_EQ(std::system(patch.c_str()), 0);
  std::map<std::string, std::string> patched;
  for (const auto& [path, bytes] : pages) {
    patched[path] = TempFolder::Read(dir_ / path);
    dir_.Write(path, bytes);
  }
  ASSERT_EQ(Run({"site"}).status, 0);
  for (const auto& [path, bytes] : pages)
    EXPECT_EQ(TempFolder::Read(dir_ / path), patched[path]) << path;
  EXPECT_NE(patched["site/a.html"], pages.at("site/a.html"));
}

}  // namespace
}  // namespace quarnel
