#ifndef QUARNEL_TESTS_UI_RULES_FAKES_H_
#define QUARNEL_TESTS_UI_RULES_FAKES_H_

#include <string>
#include <vector>

#include "ui/rules/controls.h"

namespace quarnel {

// Form1's pin for rule tests: the indicator and a record of every
// keep-on-top call, as "on"/"off".
class FakeMainWindowPin : public MainWindowPin {
 public:
  bool PinShown() const override { return shown; }
  void SetPinShown(bool on) override { shown = on; }
  void SetTopmost(bool on) override { topmost_calls.push_back(on ? "on" : "off"); }

  bool shown = true;
  std::vector<std::string> topmost_calls;
};

}  // namespace quarnel

#endif  // QUARNEL_TESTS_UI_RULES_FAKES_H_
