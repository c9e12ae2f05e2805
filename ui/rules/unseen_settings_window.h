#ifndef QUARNEL_UI_RULES_UNSEEN_SETTINGS_WINDOW_H_
#define QUARNEL_UI_RULES_UNSEEN_SETTINGS_WINDOW_H_

#include <array>

#include "settings/default_list_source.h"
#include "settings/settings.h"
#include "ui/rules/plain_controls.h"
#include "ui/rules/settings_window_rules.h"

namespace quarnel {

// The settings window loaded without being shown, with its controls in
// memory: built, then run through its load step. The settings loader reads
// the factory-default lists from its list boxes when there is no usable
// settings file; its first load sets SettingsLoaded. Needs no windowing
// system, so a batch run can use it too.
class UnseenSettingsWindow : private SetFrmWindow {
 public:
  UnseenSettingsWindow(Settings& settings, MainWindowPin& main_window);
  UnseenSettingsWindow(const UnseenSettingsWindow&) = delete;
  UnseenSettingsWindow& operator=(const UnseenSettingsWindow&) = delete;

  // List1 (i), i from 0 to 2.
  const ListBox& List1(int i) const { return list1_.at(i); }
  const Indicator& Picture(int n) const { return picture_.at(n - 1); }

 private:
  // An unseen window has no band, pointer or position to change, and it is
  // unloaded by its owner.
  void SetTopmost(bool) override {}
  void Close() override {}
  void OpenReadme() override {}
  void SetPointer(Pointer) override {}
  void StartCaptionDrag() override {}

  std::array<PlainIndicator, 5> picture_;
  std::array<PlainListBox, 3> list1_;
  std::array<PlainTextBox, 3> text1_;
};

// The defaults of the settings loader, taken from the settings window's
// first and second list box: the window is loaded unseen and unloaded again.
class UnseenSettingsWindowDefaults final : public DefaultListSource {
 public:
  // `main_window` is the main window whose load step is running.
  explicit UnseenSettingsWindowDefaults(MainWindowPin& main_window) : main_window_(main_window) {}

  void TakeDefaults(Settings& settings, ItemList* deleteLines, ItemList* joinTags) override;

 private:
  MainWindowPin& main_window_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_UNSEEN_SETTINGS_WINDOW_H_
