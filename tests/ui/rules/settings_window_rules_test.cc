#include "ui/rules/settings_window_rules.h"

#include <gtest/gtest.h>

#include "settings/default_lists.h"
#include "tests/ui/rules/plain_controls.h"
#include "tests/ui/rules/rules_fakes.h"
#include "ui/rules/list_editing.h"

namespace quarnel {
namespace {

using Items = std::vector<std::string>;
using C = SetFrmControl;

// A settings window over plain controls that records its window services.
class SetFrmRulesTest : public ::testing::Test, public SetFrmWindow {
 protected:
  SetFrmRulesTest() {
    SetFrmControls controls;
    for (int n = 0; n < 5; ++n) controls.picture[n] = &picture_[n];
    for (int i = 0; i < 3; ++i) {
      list1_[i].ShareFocus(&focus_);
      text1_[i].ShareFocus(&focus_);
      controls.list1[i] = &list1_[i];
      controls.text1[i] = &text1_[i];
    }
    rules_ = std::make_unique<SetFrmRules>(controls, *this, main_, settings_);
  }

  // Builds and loads the window over settings that were already loaded.
  void Open() {
    settings_.SettingsLoaded = true;
    rules_->Build();
    rules_->Load();
  }

  bool Shown(int n) const { return picture_[n - 1].Shown(); }

  void SetTopmost(bool on) override { topmost_calls_.push_back(on ? "on" : "off"); }
  void Close() override { ++closes_; }
  void OpenReadme() override { ++readme_opens_; }
  void SetPointer(Pointer pointer) override { pointer_ = pointer; }
  void StartCaptionDrag() override { ++drags_; }

  Settings settings_;
  FakeMainWindowPin main_;
  PlainFocus focus_;
  std::array<PlainIndicator, 5> picture_;
  std::array<PlainListBox, 3> list1_;
  std::array<PlainTextBox, 3> text1_;
  std::unique_ptr<SetFrmRules> rules_;

  std::vector<std::string> topmost_calls_;
  int closes_ = 0;
  int readme_opens_ = 0;
  int drags_ = 0;
  Pointer pointer_ = Pointer::kDefault;
};

TEST_F(SetFrmRulesTest, FirstLoadKeepsTheBuiltInStateAndSetsTheFlag) {
  settings_.CompactMode = 1;
  settings_.DeleteLines = {"ignored"};
  rules_->Build();
  rules_->Load();
  EXPECT_TRUE(settings_.SettingsLoaded);
  EXPECT_EQ(list1_[0].items(), DefaultDeleteLines());
  EXPECT_EQ(list1_[1].items(), DefaultJoinTags());
  EXPECT_TRUE(list1_[2].items().empty());
  for (int n = 1; n <= 4; ++n) EXPECT_FALSE(Shown(n)) << "Picture" << n;
  EXPECT_TRUE(Shown(5));
  EXPECT_EQ(list1_[2].background(), kInactiveBoxColour);
  EXPECT_EQ(text1_[2].background(), kInactiveBoxColour);
  EXPECT_EQ(list1_[0].background(), kActiveBoxColour);
}

struct ShownCase {
  std::int32_t compact_mode, write_signature, insert_head_lines;
  bool picture1, picture2, picture3, picture4;
};

TEST_F(SetFrmRulesTest, LoadShowsTheSwitchesAsTheFileJobReadsThem) {
  const ShownCase cases[] = {
      {1, 1, 1, true, false, true, true},
      {0, 0, 0, false, true, false, false},
      {2, 2, 2, true, true, false, false},  // a nonzero signature switch writes it
      {-1, 5, 1, true, true, false, true},
  };
  for (const ShownCase& c : cases) {
    settings_.CompactMode = c.compact_mode;
    settings_.WriteSignature = c.write_signature;
    settings_.InsertHeadLines = c.insert_head_lines;
    Open();
    EXPECT_EQ(Shown(1), c.picture1) << c.compact_mode << c.write_signature;
    EXPECT_EQ(Shown(2), c.picture2) << c.compact_mode;
    EXPECT_EQ(Shown(3), c.picture3) << c.compact_mode;
    EXPECT_EQ(Shown(4), c.picture4) << c.insert_head_lines;
    const Rgb head = c.picture4 ? kActiveBoxColour : kInactiveBoxColour;
    EXPECT_EQ(list1_[2].background(), head);
    EXPECT_EQ(text1_[2].background(), head);
  }
}

TEST_F(SetFrmRulesTest, LoadFillsTheListsFromSettings) {
  settings_.DeleteLines = {};
  settings_.JoinTags = {"<br>", " spaced ", ""};
  settings_.HeadLines = {"<meta charset=\"Shift_JIS\">", "日本語"};
  Open();
  EXPECT_TRUE(list1_[0].items().empty());
  EXPECT_EQ(list1_[1].items(), settings_.JoinTags);
  EXPECT_EQ(list1_[2].items(), settings_.HeadLines);
}

TEST_F(SetFrmRulesTest, LoadMirrorsTheMainWindowPin) {
  main_.shown = false;
  Open();
  EXPECT_FALSE(Shown(5));
  EXPECT_TRUE(topmost_calls_.empty()) << "an unpinned window's band is left alone";

  main_.shown = true;
  Open();
  EXPECT_TRUE(Shown(5));
  EXPECT_EQ(topmost_calls_, (std::vector<std::string>{"on"}));
}

TEST_F(SetFrmRulesTest, ModeLabelsSwapThePair) {
  Open();  // mode 0: Picture2 shown
  rules_->Click(C::kImage6);
  EXPECT_TRUE(Shown(3));
  EXPECT_FALSE(Shown(2));
  rules_->Click(C::kImage6);
  EXPECT_TRUE(Shown(2));
  EXPECT_FALSE(Shown(3));
  rules_->Click(C::kImage7);
  EXPECT_TRUE(Shown(3));
  rules_->Click(C::kPicture3);  // the shown indicator acts like its label
  EXPECT_TRUE(Shown(2));
  EXPECT_FALSE(Shown(3));
  rules_->Click(C::kPicture2);
  EXPECT_FALSE(Shown(2));
  EXPECT_TRUE(Shown(3));
}

TEST_F(SetFrmRulesTest, SwitchesToggleFromLabelAndIndicator) {
  Open();
  rules_->Click(C::kImage8);
  EXPECT_TRUE(Shown(1));
  rules_->Click(C::kPicture1);
  EXPECT_FALSE(Shown(1));

  rules_->Click(C::kImage10);
  EXPECT_TRUE(Shown(4));
  EXPECT_EQ(list1_[2].background(), kActiveBoxColour);
  EXPECT_EQ(text1_[2].background(), kActiveBoxColour);
  rules_->Click(C::kPicture4);
  EXPECT_FALSE(Shown(4));
  EXPECT_EQ(list1_[2].background(), kInactiveBoxColour);
  EXPECT_EQ(text1_[2].background(), kInactiveBoxColour);
  EXPECT_TRUE(settings_.WriteSignature == 0 && settings_.InsertHeadLines == 0)
      << "switches reach Settings only on save";
}

TEST_F(SetFrmRulesTest, PinSwitchActsOnBothWindowsAtOnce) {
  Open();
  topmost_calls_.clear();
  rules_->Click(C::kImage11);
  EXPECT_FALSE(Shown(5));
  EXPECT_FALSE(main_.shown);
  EXPECT_EQ(topmost_calls_, (std::vector<std::string>{"off"}));
  EXPECT_EQ(main_.topmost_calls, (std::vector<std::string>{"off"}));

  rules_->Click(C::kPicture5);  // hidden in real life, but the rule is the same
  EXPECT_TRUE(Shown(5));
  EXPECT_TRUE(main_.shown);
  EXPECT_EQ(main_.topmost_calls, (std::vector<std::string>{"off", "on"}));

  rules_->Click(C::kImage11);
  rules_->Click(C::kImage3);
  EXPECT_FALSE(main_.shown) << "closing without saving does not undo the pin";
}

TEST_F(SetFrmRulesTest, SaveAndCloseCopiesTheControls) {
  settings_.CompactMode = 2;
  settings_.WriteSignature = 7;
  settings_.HeadLines = {"old"};
  settings_.DeleteLines = {"d1", "d2"};
  settings_.JoinTags = DefaultJoinTags();
  Open();
  rules_->Click(C::kImage6);   // to size first
  rules_->Click(C::kImage10);  // head insertion on, then off again
  rules_->Click(C::kImage10);
  list1_[0].Select(0);
  rules_->Click(C::kImage5, 0);
  rules_->Click(C::kImage5, 0);  // List1 (0) now empty
  text1_[2].SetText("<!-- head -->");
  rules_->Click(C::kImage4, 2);
  rules_->Click(C::kImage2);

  EXPECT_EQ(closes_, 1);
  EXPECT_EQ(settings_.CompactMode, 1);
  EXPECT_EQ(settings_.WriteSignature, 1) << "shown as on, stored as 1";
  EXPECT_EQ(settings_.InsertHeadLines, 0);
  EXPECT_TRUE(settings_.DeleteLines.empty());
  EXPECT_EQ(settings_.JoinTags, DefaultJoinTags());
  EXPECT_EQ(settings_.HeadLines, (Items{"old", "<!-- head -->"}))
      << "HeadLines are saved whatever the switch says";
}

TEST_F(SetFrmRulesTest, CloseWithoutSavingKeepsSettings) {
  settings_.CompactMode = 1;
  settings_.DeleteLines = {"a", "b"};
  Open();
  const Settings before = settings_;
  rules_->Click(C::kImage7);
  rules_->Click(C::kImage8);
  list1_[0].Select(0);
  rules_->Click(C::kImage5, 0);
  rules_->Click(C::kImage1);
  EXPECT_EQ(closes_, 1);
  EXPECT_EQ(settings_.CompactMode, before.CompactMode);
  EXPECT_EQ(settings_.WriteSignature, before.WriteSignature);
  EXPECT_EQ(settings_.DeleteLines, before.DeleteLines);

  Open();  // a fresh opening shows the saved values, not the edits
  EXPECT_EQ(list1_[0].items(), (Items{"a", "b"}));
  EXPECT_TRUE(Shown(3));
  EXPECT_FALSE(Shown(1));
}

TEST_F(SetFrmRulesTest, ListEventsCopyAndEditTheirOwnGroup) {
  settings_.JoinTags = DefaultJoinTags();
  Open();
  list1_[1].Select(2);
  rules_->ListMouseDown(1);
  EXPECT_EQ(text1_[1].Text(), "<br>");
  EXPECT_EQ(text1_[0].Text(), "");

  list1_[1].Select(3);
  rules_->ListKeyDown(1);
  EXPECT_EQ(text1_[1].Text(), "<tr>");
  rules_->ListKeyUp(1, kKeyDelete);
  EXPECT_EQ(list1_[1].Count(), 9);
  EXPECT_EQ(list1_[1].Item(3), "</a>");
  EXPECT_EQ(text1_[1].Text(), "<tr>");

  text1_[2].SetText("x");
  rules_->TextKeyUp(2, kKeyEnter);
  rules_->TextKeyUp(2, 65);
  EXPECT_EQ(list1_[2].items(), (Items{"x"}));
  rules_->Click(C::kImage5, 2);  // no selection: nothing happens
  EXPECT_EQ(list1_[2].items(), (Items{"x"}));
}

TEST_F(SetFrmRulesTest, HoverMovesPointerBoldAndFocus) {
  Open();
  rules_->MouseMove(C::kImage4, 1);
  EXPECT_EQ(pointer_, Pointer::kLink);
  EXPECT_TRUE(text1_[1].bold());
  EXPECT_FALSE(text1_[0].bold());

  rules_->MouseMove(C::kImage5, 2);
  EXPECT_TRUE(list1_[2].bold());
  EXPECT_TRUE(list1_[2].focused()) << "the delete mark readies its list for the Delete key";

  rules_->MouseMove(C::kPicture1);  // indicators have no hover effect
  EXPECT_EQ(pointer_, Pointer::kLink);
  EXPECT_TRUE(list1_[2].bold());

  rules_->MouseMove(C::kList1, 0);
  EXPECT_TRUE(list1_[0].focused());
  EXPECT_TRUE(list1_[2].bold()) << "lists only take the focus";

  rules_->MouseMove(C::kText1, 1);
  EXPECT_TRUE(text1_[1].focused());
  EXPECT_EQ(pointer_, Pointer::kDefault);
  EXPECT_FALSE(list1_[2].bold());
  EXPECT_FALSE(text1_[1].bold());

  rules_->MouseMove(C::kImage9);
  EXPECT_EQ(pointer_, Pointer::kLink);
  rules_->MouseMove(C::kImage4, 0);
  rules_->MouseMove(C::kBackground);
  EXPECT_EQ(pointer_, Pointer::kDefault);
  EXPECT_FALSE(text1_[0].bold());
}

TEST_F(SetFrmRulesTest, WindowServices) {
  Open();
  rules_->Click(C::kImage9);
  rules_->BackgroundMouseDown();
  rules_->Click(C::kBackground);
  EXPECT_EQ(readme_opens_, 1);
  EXPECT_EQ(drags_, 1);
  EXPECT_EQ(closes_, 0);
  rules_->Click(C::kImage3);
  EXPECT_EQ(closes_, 1);
}

TEST(SetFrmTableTest, EveryControlLiesInsideTheWindowWithoutDuplicates) {
  for (const ControlPlace& a : kSetFrmControls) {
    EXPECT_GE(a.rect.left, 0) << a.name;
    EXPECT_LE(a.rect.right(), kSetFrmSize.width) << a.name;
    EXPECT_LE(a.rect.bottom(), kSetFrmSize.height) << a.name;
    int same = 0;
    for (const ControlPlace& b : kSetFrmControls) same += (a.name == b.name && a.index == b.index);
    EXPECT_EQ(same, 1) << a.name << a.index;
  }
}

}  // namespace
}  // namespace quarnel
