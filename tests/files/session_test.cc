// The session that every run goes through, and the batch run over it, on an
// in-memory file system that records the order of reads and writes.
#include "files/session.h"

#include <sstream>

#include <gtest/gtest.h>

#include "cli/batch_run.h"
#include "platform/mem_env.h"
#include "settings/default_lists.h"
#include "settings/settings_format.h"

namespace quarnel {
namespace {

constexpr char kProgramFolder[] = R"(C:\Tools\Quarnel)";
constexpr char kSettingsFile[] = R"(C:\Tools\Quarnel\Quarnel.ini)";

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() {
    env_.AddFolder(kProgramFolder);
    env_.SetProgramFolder(kProgramFolder);
    env_.AddFile(R"(C:\site\a.html)", "<head>\r\n<p>x</p>  \r\n");
  }

  static void WriteSettingsFile(MemEnv& env, std::int32_t topmostOff) {
    Settings s;
    s.TopmostOff = topmostOff;
    s.DeleteLines = DefaultDeleteLines();
    s.JoinTags = {"</td>"};
    env.AddFile(kSettingsFile, FormatSettingsFile(s));
  }

  // Line 4 of the settings file: TopmostOff.
  static std::string SavedTopmostOff(const MemEnv& env) {
    const std::string file = env.Contents(kSettingsFile).value_or("");
    std::istringstream lines(file);
    std::string line;
    for (int i = 0; i < 4; ++i) std::getline(lines, line);
    return line;
  }

  int Run(std::vector<std::string> args) {
    ParsedOptions parsed = ParseOptions(args);
    EXPECT_EQ(parsed.error, "");
    return RunBatch(parsed.options, env_, settings_, out_, err_);
  }

  MemEnv env_;
  Settings settings_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(SessionTest, SettingsReadFirstAndWrittenLast) {
  WriteSettingsFile(env_, 0);
  EXPECT_EQ(Run({R"(C:\site)"}), kExitOk);
  EXPECT_EQ(env_.files_read().front(), kSettingsFile);
  EXPECT_EQ(env_.files_written(), (std::vector<std::string>{R"(C:\site\a.html)", kSettingsFile}));
  EXPECT_EQ(SavedTopmostOff(env_), " 0 \r");
  EXPECT_EQ(settings_.DeleteLines, DefaultDeleteLines());
  EXPECT_EQ(err_.str(), "");
}

TEST_F(SessionTest, BatchRunLeavesTheUnpinnedStateAsItWas) {
  for (const std::int32_t stored : {1, 5, -2}) {
    MemEnv env;
    env.AddFolder(kProgramFolder);
    env.SetProgramFolder(kProgramFolder);
    WriteSettingsFile(env, stored);
    Settings settings;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunBatch(ParseOptions({R"(C:\nothing)"}).options, env, settings, out, err),
              kExitFailure);
    EXPECT_EQ(settings.JoinTags, ItemList{"</td>"}) << "the file's lists, not the defaults";
    EXPECT_EQ(SavedTopmostOff(env), " 1 \r") << stored;
  }
}

TEST_F(SessionTest, WindowPinStateIsSavedAtTheEnd) {
  Session session(env_, settings_);
  ASSERT_TRUE(session.Start().ok());
  EXPECT_TRUE(StartsPinned(settings_));
  ASSERT_TRUE(session.End(/*pin_shown=*/false).ok());
  EXPECT_EQ(SavedTopmostOff(env_), " 1 \r");
}

TEST_F(SessionTest, FailuresGiveOneLineEachAndStatusOne) {
  env_.AddFile(R"(C:\site\locked.htm)", "<head>\r\n\r\n", kAttrReadOnly);
  EXPECT_EQ(Run({"-v", R"(C:\missing)", R"(C:\site)", R"(C:\notes.txt)"}), kExitFailure);
  EXPECT_EQ(err_.str(),
            "quarnel: C:\\missing: no such file or folder\n"
            "quarnel: C:\\site\\locked.htm: the file is read-only\n"
            "quarnel: C:\\notes.txt: no such file or folder\n");
  EXPECT_EQ(out_.str(),
            "rewrote C:\\site\\a.html (20 -> 18 bytes)\n"
            "2 files examined, 1 rewritten, 3 failed; 30 bytes before, 28 after (2 saved)\n");
  EXPECT_TRUE(env_.Contents(kSettingsFile).has_value()) << "the settings file is still written";
}

TEST_F(SessionTest, RepeatNamesAPageStillChangingAndCountsBlocks) {
  settings_.CompactMode = 1;
  settings_.InsertHeadLines = 1;
  settings_.HeadLines = {" <meta x>"};  // trimming changes it: every pass puts it in again
  env_.AddFile(kSettingsFile, FormatSettingsFile(settings_));  // the run reads its settings
  env_.AddFile(R"(C:\site\b.html)", "<head>\n<pre> x </pre>\n</head>\n");
  EXPECT_EQ(Run({"-vr", R"(C:\site\b.html)"}), kExitOk);
  EXPECT_NE(out_.str().find("C:\\site\\b.html: still changing after 64 passes; written as it "
                            "stands\nrewrote C:\\site\\b.html"),
            std::string::npos)
      << out_.str();
  EXPECT_NE(out_.str().find("1 page has <pre>, <textarea>, <script> or <style> blocks"),
            std::string::npos)
      << out_.str();
}

TEST_F(SessionTest, ControlCharactersInAPathKeepItsMessageOnOneLine) {
  env_.AddFile("C:\\site\\new\nline.html", "<head>\r\n\r\n");
  EXPECT_EQ(Run({"-v", "C:\\missing\nfile\x01\x7F\t.html", "C:\\site\\new\nline.html"}),
            kExitFailure);
  EXPECT_EQ(err_.str(), "quarnel: C:\\missing\\nfile\\x01\\x7F\\t.html: no such file or folder\n");
  EXPECT_EQ(out_.str().substr(0, out_.str().find('\n')),
            "rewrote C:\\site\\new\\nline.html (10 -> 8 bytes)");
}

TEST_F(SessionTest, UnwritableSettingsFileIsToldButTheRunEndsNormally) {
  env_.FailReplaceFile(kSettingsFile, Status::IOError(kSettingsFile, "device error"));
  EXPECT_EQ(Run({R"(C:\site)"}), kExitOk);
  EXPECT_EQ(err_.str(), "quarnel: warning: C:\\Tools\\Quarnel\\Quarnel.ini: device error\n");
  EXPECT_EQ(env_.Contents(R"(C:\site\a.html)"), "<head>\r\n<p>x</p>\r\n");
}

TEST(RunCommandLineTest, HelpVersionAndUsageErrors) {
  MemEnv env;
  Settings settings;
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* out;
    const char* err;
  };
  const Case cases[] = {
      {{"--version"}, kExitOk, "quarnel 2.01.04\n", ""},
      {{"-V", "site"}, kExitOk, "quarnel 2.01.04\n", ""},
      {{"-q", "site"},
       kExitUsage,
       "",
       "quarnel: unknown option '-q'\nTry 'quarnel --help' for more information.\n"},
      {{"-v"},
       kExitUsage,
       "",
       "quarnel: no path given\nTry 'quarnel --help' for more information.\n"},
      {{"--"},
       kExitUsage,
       "",
       "quarnel: no path given\nTry 'quarnel --help' for more information.\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCommandLine(c.args, env, settings, out, err), c.status) << c.args[0];
    EXPECT_EQ(out.str(), c.out) << c.args[0];
    EXPECT_EQ(err.str(), c.err) << c.args[0];
  }
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCommandLine({"-h"}, env, settings, out, err), kExitOk);
  EXPECT_EQ(out.str(), UsageText("quarnel"));
  EXPECT_TRUE(env.files_written().empty()) << "help, version and usage errors write nothing";
}

}  // namespace
}  // namespace quarnel
