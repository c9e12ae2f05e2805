#include "ui/rules/unseen_settings_window.h"

namespace quarnel {

UnseenSettingsWindow::UnseenSettingsWindow(Settings& settings, MainWindowPin& main_window) {
  SetFrmControls controls;
  for (int n = 0; n < 5; ++n) controls.picture[n] = &picture_[n];
  for (int i = 0; i < 3; ++i) {
    controls.list1[i] = &list1_[i];
    controls.text1[i] = &text1_[i];
  }
  SetFrmRules rules(controls, *this, main_window, settings);
  rules.Build();
  rules.Load();
}

}  // namespace quarnel
