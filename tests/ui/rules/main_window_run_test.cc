#include "ui/rules/main_window_run.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/folder_env.h"
#include "tests/support/temp_folder.h"
#include "ui/rules/notice_texts.h"

namespace quarnel {
namespace {

using testing_support::FolderEnv;
using testing_support::TempFolder;

// A face that records what the run asks of it, in order. A close asked for
// while the face is painted during a drop is the window's close.
class RecordingFace final : public MainWindowFace {
 public:
  explicit RecordingFace(MainWindowRun*& run) : run_(run) {}
  bool PinShown() const override { return pin; }
  void SetPinShown(bool shown) override {
    pin = shown;
    calls.push_back(shown ? "pin shown" : "pin hidden");
  }
  void SetTopmost(bool on) override { calls.push_back(on ? "topmost" : "not topmost"); }
  void InstallHook() override { calls.push_back("hook"); }
  void RemoveHook() override { calls.push_back("unhook"); }
  void Show() override { calls.push_back("show"); }
  void Close() override { calls.push_back(run_->CloseRequested() ? "closed" : "close waits"); }
  void PaintDuringDrop() override {
    if (!painted_during_drop) Close();
    painted_during_drop = true;
  }
  void Repaint() override {}
  void TellProblems(const std::string& summary, const std::vector<std::string>& details) override {
    calls.push_back(summary + " / " + std::to_string(details.size()));
  }

  bool pin = true;
  bool painted_during_drop = false;
  std::vector<std::string> calls;

 private:
  MainWindowRun*& run_;
};

class MainWindowRunTest : public ::testing::Test {
 protected:
  MainWindowRunTest() {
    run_pointer_ = &run_;
    // The page "slow.html" takes longer to read than a drop waits before
    // it shows its count.
    env_.on_read = [](const std::string& path) {
      if (path.ends_with("slow.html")) {
        std::this_thread::sleep_for(DropProgress::kShowAfter + std::chrono::milliseconds(200));
      }
    };
  }

  TempFolder program_;
  FolderEnv env_{program_.path()};
  Settings settings_;
  Session session_{env_, settings_};
  MainWindowRun* run_pointer_ = nullptr;
  RecordingFace face_{run_pointer_};
  MainWindowRun run_{session_, face_};
};

TEST_F(MainWindowRunTest, LoadsUnpinnedAsTheFileSaysAndUnloadsOnceHookFirst) {
  program_.Write(
      "Quarnel.ini",
      "ZENTHARO QUARNEL VER 2.01.01\r\n 0 \r\n 0 \r\n 3 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
  ASSERT_TRUE(run_.Start().ok());
  EXPECT_EQ(face_.calls, (std::vector<std::string>{"pin hidden", "hook", "show"}));

  face_.calls.clear();
  face_.pin = true;  // pinned again during the run: the file says so at the end
  EXPECT_TRUE(run_.CloseRequested());
  run_.Unload();
  EXPECT_TRUE(run_.unloaded());
  EXPECT_TRUE(run_.unload_status().ok());
  EXPECT_EQ(face_.calls, (std::vector<std::string>{"unhook"}));
  // The fourth line, TopmostOff, after the title and two switches.
  EXPECT_TRUE(TempFolder::Read(program_ / "Quarnel.ini")
                  .starts_with("ZENTHARO QUARNEL VER 2.01.01\r\n 0 \r\n 0 \r\n 0 \r\n"));
}

TEST_F(MainWindowRunTest, ADamagedSettingsFileIsToldAndTheWindowStartsPinned) {
  program_.Write("Quarnel.ini", "ZENTHARO QUARNEL VER 2.01.01\r\n 1 \r\n");
  EXPECT_FALSE(run_.Start().ok());
  ASSERT_EQ(face_.calls.size(), 4u);
  EXPECT_EQ(face_.calls[0], "topmost");
  EXPECT_EQ(face_.calls[3], SettingsNotReadSummary() + " / 1");
}

TEST_F(MainWindowRunTest, ALongDropTellsItsFailuresAndACloseDuringItWaitsForItsEnd) {
  ASSERT_TRUE(run_.Start().ok());
  face_.calls.clear();
  TempFolder site;
  const std::string slow = site.Write("slow.html", "<head>\r\n  x  \r\n");
  run_.Drop({slow, site / "gone.html"});

  EXPECT_TRUE(face_.painted_during_drop);
  EXPECT_EQ(TempFolder::Read(slow), "<head>\r\n  x\r\n");
  EXPECT_EQ(face_.calls, (std::vector<std::string>{"close waits", DropProblemsSummary(1) + " / 1",
                                                   "unhook", "closed"}));
  EXPECT_FALSE(run_.DropCountVisible());
  EXPECT_TRUE(run_.unloaded());
}

}  // namespace
}  // namespace quarnel
