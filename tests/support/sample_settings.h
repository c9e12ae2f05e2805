#ifndef QUARNEL_TESTS_SUPPORT_SAMPLE_SETTINGS_H_
#define QUARNEL_TESTS_SUPPORT_SAMPLE_SETTINGS_H_

#include <string>

#include "settings/default_lists.h"
#include "settings/settings.h"

namespace quarnel::testing_support {

// The settings the screenshot programs show: the default lists, two head
// lines, and a settings file taken as read, so that the settings window
// shows what they hold. The caller sets the mode and the switches.
inline Settings SampleSettings() {
  Settings settings;
  settings.DeleteLines = DefaultDeleteLines();
  settings.JoinTags = DefaultJoinTags();
  settings.HeadLines = {
      R"(<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">)",
      "<!-- 軽量化済み -->"};
  settings.SettingsLoaded = true;
  return settings;
}

// The settings window's picture in `mode` (CompactMode) with head
// insertion `head`: "setfrm_size_first_head_on" and the like.
inline std::string SettingsWindowShotName(int mode, int head) {
  return std::string("setfrm_") + (mode == 1 ? "size_first" : "legibility_first") + "_head_" +
         (head == 1 ? "on" : "off");
}

}  // namespace quarnel::testing_support

#endif  // QUARNEL_TESTS_SUPPORT_SAMPLE_SETTINGS_H_
