#include "files/main_window_steps.h"

#include "settings/settings_file.h"

namespace quarnel {

Status LoadMainWindow(MainWindow& window, Env& env, const std::string& programFolder,
                      Settings& settings) {
  const Status loaded = LoadSettings(env, programFolder, window.DefaultLists(), settings);
  if (settings.TopmostOff == 0) {
    window.SetTopmost(true);
  } else {
    window.SetPinShown(false);
  }
  window.SetWindowStyle(kMainWindowStyle);
  window.HookMainWindow();
  return loaded;
}

Status UnloadMainWindow(MainWindow& window, Env& env, const std::string& programFolder,
                        bool saveSettings, Settings& settings) {
  window.UnhookMainWindow();
  if (!saveSettings) return Status::OK();
  return SaveSettings(env, programFolder, window.PinShown(), settings);
}

}  // namespace quarnel
