#include "ui/rules/main_window_rules.h"

namespace quarnel {

MainWindowAction Form1HotAreaAction(int index) {
  for (const MainHotArea& area : kForm1HotAreas) {
    if (area.index == index) return area.action;
  }
  return MainWindowAction::kNone;
}

void MainWindowRules::ClickHotArea(int index) {
  switch (Form1HotAreaAction(index)) {
    case MainWindowAction::kOpenSettings:
      host_.OpenSettingsWindow();
      break;
    case MainWindowAction::kOpenAbout:
      host_.OpenAboutWindow();
      break;
    case MainWindowAction::kMinimize:
      host_.Minimize();
      break;
    case MainWindowAction::kClose:
      host_.Close();
      break;
    case MainWindowAction::kOpenReadme:
      host_.OpenReadme();
      break;
    case MainWindowAction::kTogglePin:
      TogglePin();
      break;
    case MainWindowAction::kNone:
      break;
  }
}

void MainWindowRules::TogglePin() {
  if (pin_.PinShown()) {
    pin_.SetPinShown(false);
    pin_.SetTopmost(false);
  } else {
    pin_.SetPinShown(true);
    pin_.SetTopmost(true);
  }
}

void MainWindowRules::WindowPlacementChanged() {
  if (pin_.PinShown()) pin_.SetTopmost(true);
}

}  // namespace quarnel
