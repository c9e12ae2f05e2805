#ifndef QUARNEL_FILES_MAIN_WINDOW_STEPS_H_
#define QUARNEL_FILES_MAIN_WINDOW_STEPS_H_

#include <string>

#include "files/main_window.h"
#include "platform/env.h"
#include "platform/status.h"
#include "settings/settings.h"

namespace quarnel {

// The load step of the main window up to the command line, in this order:
// LoadSettings from the program folder (defaults from the window's unseen
// settings window); pin the window on top unless TopmostOff is set, in
// which case the pin indicator is hidden; set the window style; install the
// hook. The caller then shows the window (interactive run) or runs the
// batch. Returns what LoadSettings had to say about an untrusted settings
// file; the defaults are in place then.
Status LoadMainWindow(MainWindow& window, Env& env, const std::string& programFolder,
                      Settings& settings = TheSettings());

// The unload step, which every run ends through: remove the hook, then
// write the settings file with the pin state of this moment. A dry run
// passes `saveSettings` false and writes nothing. Returns why the settings
// file could not be written, if it could not.
Status UnloadMainWindow(MainWindow& window, Env& env, const std::string& programFolder,
                        bool saveSettings, Settings& settings = TheSettings());

}  // namespace quarnel

#endif  // QUARNEL_FILES_MAIN_WINDOW_STEPS_H_
