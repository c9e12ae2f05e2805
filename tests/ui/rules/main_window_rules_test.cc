#include "ui/rules/main_window_rules.h"

#include <gtest/gtest.h>

#include "tests/ui/rules/rules_fakes.h"

namespace quarnel {
namespace {

class MainWindowRulesTest : public ::testing::Test, public MainWindowHost {
 protected:
  void OpenSettingsWindow() override { calls_.push_back("settings"); }
  void OpenAboutWindow() override { calls_.push_back("about"); }
  void Minimize() override { calls_.push_back("minimize"); }
  void Close() override { calls_.push_back("close"); }
  void OpenReadme() override { calls_.push_back("readme"); }
  void SetPointer(Pointer pointer) override { pointer_ = pointer; }
  void StartCaptionDrag() override { calls_.push_back("drag"); }

  FakeMainWindowPin pin_;
  MainWindowRules rules_{*this, pin_};
  std::vector<std::string> calls_;
  Pointer pointer_ = Pointer::kDefault;
};

TEST_F(MainWindowRulesTest, HotAreasDoWhatTheirButtonsSay) {
  for (int index : {0, 1, 2, 3, 4, 6, -1}) rules_.ClickHotArea(index);
  EXPECT_EQ(calls_, (std::vector<std::string>{"settings", "about", "minimize", "close", "readme"}));
  EXPECT_TRUE(pin_.topmost_calls.empty());
}

TEST_F(MainWindowRulesTest, HotAreaFiveAndPicture1TogglePin) {
  rules_.ClickHotArea(5);
  EXPECT_FALSE(pin_.shown);
  rules_.ClickPicture1();
  EXPECT_TRUE(pin_.shown);
  EXPECT_EQ(pin_.topmost_calls, (std::vector<std::string>{"off", "on"}));
}

TEST_F(MainWindowRulesTest, PlacementChangesKeepTheLivePinState) {
  rules_.WindowPlacementChanged();  // pinned: pinned again
  EXPECT_EQ(pin_.topmost_calls, (std::vector<std::string>{"on"}));

  rules_.TogglePin();  // the user unpins
  pin_.topmost_calls.clear();
  rules_.WindowPlacementChanged();
  EXPECT_TRUE(pin_.topmost_calls.empty())
      << "an unpinned window is not pinned behind the user's back";
  EXPECT_FALSE(pin_.shown);
}

TEST_F(MainWindowRulesTest, PointerAndDrag) {
  rules_.MouseMoveOnHotArea();
  EXPECT_EQ(pointer_, Pointer::kLink);
  rules_.MouseMoveOnFace();
  EXPECT_EQ(pointer_, Pointer::kDefault);
  rules_.MouseDownOnFace();
  EXPECT_EQ(calls_, (std::vector<std::string>{"drag"}));
}

TEST(Form1TableTest, HotAreasAreDistinctAndInsideTheFace) {
  for (const MainHotArea& a : kForm1HotAreas) {
    EXPECT_LE(a.rect.right(), kForm1Size.width);
    EXPECT_LE(a.rect.bottom(), kForm1Size.height);
    for (const MainHotArea& b : kForm1HotAreas) {
      if (a.index == b.index) continue;
      const bool apart = a.rect.right() <= b.rect.left || b.rect.right() <= a.rect.left ||
                         a.rect.bottom() <= b.rect.top || b.rect.bottom() <= a.rect.top;
      EXPECT_TRUE(apart) << a.index << " overlaps " << b.index;
    }
  }
  // The pin indicator lies over hot area 5.
  const Rect pin = kForm1HotAreas[5].rect;
  EXPECT_TRUE(pin.Contains(kForm1Picture1.left, kForm1Picture1.top));
  EXPECT_TRUE(pin.Contains(kForm1Picture1.right() - 1, kForm1Picture1.bottom() - 1));
}

}  // namespace
}  // namespace quarnel
