#ifndef QUARNEL_UI_RULES_CONTROLS_H_
#define QUARNEL_UI_RULES_CONTROLS_H_

#include <string>

#include "ui/rules/geometry.h"

namespace quarnel {

// The controls that the window rules read and change. The windows keep their
// state in the controls themselves (an option is on while its indicator is
// shown), so the rules work through these interfaces: the widgets implement
// them over real controls, and the tests keep them in memory. Text is UTF-8.

// A small picture that is shown while its option is on.
class Indicator {
 public:
  virtual ~Indicator() = default;
  virtual bool Shown() const = 0;
  virtual void SetShown(bool shown) = 0;
};

// What list boxes and text boxes share: colour, weight and focus.
class Box {
 public:
  virtual ~Box() = default;
  virtual void SetBackground(Rgb colour) = 0;
  // Bold applies to the font of the whole box.
  virtual void SetBold(bool bold) = 0;
  virtual void TakeFocus() = 0;
};

// A list box with single selection and no sorting. Positions run from 0 to
// Count() - 1; kNoSelection means no item is selected.
class ListBox : public Box {
 public:
  static constexpr int kNoSelection = -1;

  virtual int Count() const = 0;
  virtual std::string Item(int position) const = 0;
  virtual void Append(const std::string& item) = 0;
  // REQUIRES: 0 <= position < Count().
  virtual void Remove(int position) = 0;
  virtual void Clear() = 0;
  virtual int Selected() const = 0;
  // REQUIRES: position is kNoSelection or 0 <= position < Count().
  virtual void Select(int position) = 0;
};

// A single-line text box without a length limit.
class TextBox : public Box {
 public:
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

// The main window's pin: its indicator Picture1, whose visibility is the
// program's live keep-on-top state, and the window's keep-on-top band.
class MainWindowPin {
 public:
  virtual ~MainWindowPin() = default;
  virtual bool PinShown() const = 0;
  virtual void SetPinShown(bool shown) = 0;
  virtual void SetTopmost(bool on) = 0;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_CONTROLS_H_
