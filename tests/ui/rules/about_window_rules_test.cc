#include "ui/rules/about_window_rules.h"

#include <gtest/gtest.h>

#include "base/product.h"
#include "tests/ui/rules/rules_fakes.h"

namespace quarnel {
namespace {

class AboutWindowRulesTest : public ::testing::Test, public AboutWindowHost {
 protected:
  void SetTopmost(bool on) override { calls_.push_back(on ? "topmost on" : "topmost off"); }
  void Close() override { calls_.push_back("close"); }
  void OpenAddress(std::string_view address) override { calls_.push_back(std::string(address)); }
  void ShowInformation(std::string_view text) override {
    calls_.push_back("message " + std::string(text));
  }
  void SetPointer(Pointer pointer) override { pointer_ = pointer; }

  AboutWindowRules rules_{*this};
  std::vector<std::string> calls_;
  Pointer pointer_ = Pointer::kDefault;
};

TEST_F(AboutWindowRulesTest, HotSpotsOpenMailCloseAndNotify) {
  for (int index : {0, 1, 3, 4, -1, 2}) rules_.ClickHotSpot(index);
  EXPECT_EQ(calls_, (std::vector<std::string>{
                        "https://www.quarnel.example/",
                        "mailto:author@quarnel.example",
                        "message 現在この機能は実装されていません、\r\nV3で実装予定です",
                        "close",
                    }));
  EXPECT_EQ(std::string_view(kAuthorMailTo).substr(0, 7), "mailto:");
}

TEST_F(AboutWindowRulesTest, ArtworkAndVersionTextClose) {
  rules_.ClickBackground();
  rules_.ClickLabel1();
  EXPECT_EQ(calls_, (std::vector<std::string>{"close", "close"}));
}

TEST_F(AboutWindowRulesTest, StaysOnTopOnlyWithTheMainWindow) {
  FakeMainWindowPin main;
  main.shown = false;
  rules_.Load(main);
  EXPECT_TRUE(calls_.empty());
  main.shown = true;
  rules_.Load(main);
  EXPECT_EQ(calls_, (std::vector<std::string>{"topmost on"}));
}

TEST_F(AboutWindowRulesTest, PointerFollowsHotSpots) {
  rules_.MouseMoveOnHotSpot();
  EXPECT_EQ(pointer_, Pointer::kLink);
  rules_.MouseMoveOnBackground();
  EXPECT_EQ(pointer_, Pointer::kDefault);
}

}  // namespace
}  // namespace quarnel
