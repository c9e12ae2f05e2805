// The load and unload steps of the main window and the batch run around
// them, with a window that records what is asked of it.
#include "files/main_window_steps.h"

#include <sstream>

#include <gtest/gtest.h>

#include "files/batch_run.h"
#include "platform/mem_env.h"
#include "settings/default_lists.h"
#include "settings/settings_format.h"

namespace quarnel {
namespace {

using Events = std::vector<std::string>;

constexpr char kProgramFolder[] = R"(C:\Tools\Quarnel)";
constexpr char kSettingsFile[] = R"(C:\Tools\Quarnel\Quarnel.ini)";

// Records each call with what the file system and the settings held at
// that moment, so the order of the steps shows.
class RecordingWindow final : public MainWindow {
 public:
  RecordingWindow(MemEnv& env, const Settings& settings) : env_(env), settings_(settings) {}

  bool PinShown() const override { return pinShown_; }
  void SetPinShown(bool shown) override {
    pinShown_ = shown;
    events.push_back(shown ? "pin shown" : "pin hidden");
  }
  void SetTopmost(bool on) override { events.push_back(on ? "topmost on" : "topmost off"); }
  void SetWindowStyle(std::uint32_t style) override {
    std::ostringstream s;
    s << "style " << std::hex << style;
    events.push_back(s.str());
  }
  void HookMainWindow() override {
    events.push_back(std::string("hook") + (settings_.SettingsLoaded ? ", settings loaded" : "") +
                     (FilesRead() ? ", files read" : ""));
  }
  void UnhookMainWindow() override {
    events.push_back(std::string("unhook") + (FilesRead() ? ", files read" : "") +
                     (SettingsWritten() ? ", settings written" : ""));
  }
  void Show() override { events.push_back("show"); }
  DefaultListSource& DefaultLists() override { return defaults_; }

  Events events;

 private:
  // The settings window loaded unseen for its built-in lists.
  class RecordingDefaults final : public DefaultListSource {
   public:
    explicit RecordingDefaults(Events& events) : events_(events) {}
    void TakeDefaults(Settings& settings, ItemList* deleteLines, ItemList* joinTags) override {
      events_.push_back("default lists");
      BuiltInDefaultLists().TakeDefaults(settings, deleteLines, joinTags);
    }

   private:
    Events& events_;
  };

  bool SettingsWritten() const {
    for (const std::string& path : env_.files_written()) {
      if (path == kSettingsFile) return true;
    }
    return false;
  }

  bool FilesRead() const {
    for (const std::string& path : env_.files_read()) {
      if (path != kSettingsFile) return true;
    }
    return false;
  }

  MemEnv& env_;
  const Settings& settings_;
  bool pinShown_ = true;
  RecordingDefaults defaults_{events};
};

class MainWindowStepsTest : public ::testing::Test {
 protected:
  MainWindowStepsTest() {
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
    return RunBatch(parsed.options, env_, window_, out_, err_, settings_);
  }

  MemEnv env_;
  Settings settings_;
  RecordingWindow window_{env_, settings_};
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(MainWindowStepsTest, BatchRunWithoutSettingsFileRunsTheStepsInOrder) {
  EXPECT_EQ(Run({R"(C:\site)"}), kExitOk);
  EXPECT_EQ(window_.events,
            (Events{"default lists", "topmost on", "style 800a0000", "hook, settings loaded",
                    "unhook, files read"}));
  EXPECT_EQ(env_.files_written(), (std::vector<std::string>{R"(C:\site\a.html)", kSettingsFile}));
  EXPECT_EQ(SavedTopmostOff(env_), " 0 \r");
  EXPECT_EQ(settings_.DeleteLines, DefaultDeleteLines());
  EXPECT_EQ(err_.str(), "");
}

TEST_F(MainWindowStepsTest, TopmostOffHidesThePinAndIsSavedAsOne) {
  for (const std::int32_t stored : {1, 5, -2}) {
    MemEnv env;
    env.AddFolder(kProgramFolder);
    env.SetProgramFolder(kProgramFolder);
    WriteSettingsFile(env, stored);
    Settings settings;
    RecordingWindow window(env, settings);
    EXPECT_TRUE(LoadMainWindow(window, env, kProgramFolder, settings).ok());
    EXPECT_EQ(settings.JoinTags, ItemList{"</td>"}) << "the file's lists, not the defaults";
    EXPECT_TRUE(UnloadMainWindow(window, env, kProgramFolder, true, settings).ok());
    EXPECT_EQ(window.events,
              (Events{"pin hidden", "style 800a0000", "hook, settings loaded", "unhook"}));
    EXPECT_EQ(SavedTopmostOff(env), " 1 \r") << stored;
  }
}

TEST_F(MainWindowStepsTest, DryRunWritesNothingAtAll) {
  EXPECT_EQ(Run({"--dry-run", R"(C:\site)"}), kExitOk);
  EXPECT_TRUE(env_.files_written().empty());
  EXPECT_EQ(window_.events.back(), "unhook, files read");
  EXPECT_EQ(out_.str(),
            "would rewrite C:\\site\\a.html (20 -> 18 bytes)\n"
            "1 files examined, 1 would be rewritten, 0 failed; 20 bytes before, 18 after (2 "
            "would be saved)\n");
}

TEST_F(MainWindowStepsTest, FailuresGiveOneLineEachAndStatusOne) {
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

TEST_F(MainWindowStepsTest, ControlCharactersInAPathKeepItsMessageOnOneLine) {
  env_.AddFile("C:\\site\\new\nline.html", "<head>\r\n\r\n");
  EXPECT_EQ(Run({"-v", "C:\\missing\nfile\x01\x7F\t.html", "C:\\site\\new\nline.html"}),
            kExitFailure);
  EXPECT_EQ(err_.str(), "quarnel: C:\\missing\\nfile\\x01\\x7F\\t.html: no such file or folder\n");
  EXPECT_EQ(out_.str().substr(0, out_.str().find('\n')),
            "rewrote C:\\site\\new\\nline.html (10 -> 8 bytes)");
}

TEST_F(MainWindowStepsTest, UnwritableSettingsFileIsToldButTheRunEndsNormally) {
  env_.FailReplaceFile(kSettingsFile, Status::IOError(kSettingsFile, "device error"));
  EXPECT_EQ(Run({R"(C:\site)"}), kExitOk);
  EXPECT_EQ(err_.str(), "quarnel: warning: C:\\Tools\\Quarnel\\Quarnel.ini: device error\n");
  EXPECT_EQ(env_.Contents(R"(C:\site\a.html)"), "<head>\r\n<p>x</p>\r\n");
}

TEST(RunCommandLineTest, HelpVersionAndUsageErrors) {
  MemEnv env;
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* out;
    const char* err;
  };
  const Case cases[] = {
      {{"--version"}, kExitOk, "quarnel 2.01.04\n", ""},
      {{"-V", "site"}, kExitOk, "quarnel 2.01.04\n", ""},
      {{"-q", "site"}, kExitUsage, "", "quarnel: unknown option '-q'\nTry 'quarnel --help' for more information.\n"},
      {{"-v"}, kExitUsage, "", "quarnel: no path given\nTry 'quarnel --help' for more information.\n"},
      {{"--"}, kExitUsage, "", "quarnel: no path given\nTry 'quarnel --help' for more information.\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCommandLine(c.args, env, out, err), c.status) << c.args[0];
    EXPECT_EQ(out.str(), c.out) << c.args[0];
    EXPECT_EQ(err.str(), c.err) << c.args[0];
  }
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCommandLine({"-h"}, env, out, err), kExitOk);
  EXPECT_EQ(out.str(), UsageText("quarnel"));
  EXPECT_TRUE(env.files_written().empty()) << "help, version and usage errors write nothing";
}

}  // namespace
}  // namespace quarnel
