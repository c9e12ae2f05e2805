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

void UnseenSettingsWindowDefaults::TakeDefaults(Settings& settings, ItemList* deleteLines,
                                                ItemList* joinTags) {
  const UnseenSettingsWindow window(settings, main_window_);
  // Items 0 to 1 and 0 to 9, by position.
  const auto items = [](const ListBox& list) {
    ItemList copy;
    for (int k = 0; k < list.Count(); ++k) copy.push_back(list.Item(k));
    return copy;
  };
  *deleteLines = items(window.List1(0));
  *joinTags = items(window.List1(1));
}

}  // namespace quarnel
