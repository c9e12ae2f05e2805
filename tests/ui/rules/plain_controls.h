#ifndef QUARNEL_TESTS_UI_RULES_PLAIN_CONTROLS_H_
#define QUARNEL_TESTS_UI_RULES_PLAIN_CONTROLS_H_

#include <string>
#include <vector>

#include "ui/rules/controls.h"

namespace quarnel {

// Controls that live in memory only, for tests of the window rules. They keep what the rules set so
// it can be read back.

class PlainIndicator : public Indicator {
 public:
  explicit PlainIndicator(bool shown = false) : shown_(shown) {}
  bool Shown() const override { return shown_; }
  void SetShown(bool shown) override { shown_ = shown; }

 private:
  bool shown_;
};

// Which box of a window holds the keyboard focus: at most one.
struct PlainFocus {
  const void* box = nullptr;
};

class PlainBoxLook {
 public:
  PlainBoxLook() = default;
  PlainBoxLook(const PlainBoxLook&) = delete;
  PlainBoxLook& operator=(const PlainBoxLook&) = delete;

  // Boxes of one window share one PlainFocus.
  void ShareFocus(PlainFocus* focus) { focus_ = focus; }
  Rgb background() const { return background_; }
  bool bold() const { return bold_; }
  bool focused() const { return focus_->box == this; }

 protected:
  void Focus() { focus_->box = this; }

  Rgb background_{255, 255, 255};
  bool bold_ = false;

 private:
  PlainFocus own_focus_;
  PlainFocus* focus_ = &own_focus_;
};

class PlainListBox : public ListBox, public PlainBoxLook {
 public:
  PlainListBox() = default;
  explicit PlainListBox(std::vector<std::string> items) : items_(std::move(items)) {}

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Item(int position) const override { return items_.at(position); }
  void Append(const std::string& item) override { items_.push_back(item); }
  void Remove(int position) override;
  void Clear() override;
  int Selected() const override { return selected_; }
  void Select(int position) override { selected_ = position; }
  void SetBackground(Rgb colour) override { background_ = colour; }
  void SetBold(bool bold) override { bold_ = bold; }
  void TakeFocus() override { Focus(); }

  const std::vector<std::string>& items() const { return items_; }

 private:
  std::vector<std::string> items_;
  int selected_ = kNoSelection;
};

class PlainTextBox : public TextBox, public PlainBoxLook {
 public:
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }
  void SetBackground(Rgb colour) override { background_ = colour; }
  void SetBold(bool bold) override { bold_ = bold; }
  void TakeFocus() override { Focus(); }

 private:
  std::string text_;
};

}  // namespace quarnel

#endif  // QUARNEL_TESTS_UI_RULES_PLAIN_CONTROLS_H_
