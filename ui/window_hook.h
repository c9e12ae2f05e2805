#ifndef QUARNEL_UI_WINDOW_HOOK_H_
#define QUARNEL_UI_WINDOW_HOOK_H_

#include <cstdint>

class QWidget;

namespace quarnel {

// Module SubClass: the window procedure hook on the main window, which hands
// every system command (minimize, restore, move and close from the taskbar
// button's menu, and the move of StartCaptionDrag) to the system's default
// handling. Installed once by the load step, removed once, first thing, by
// the unload step.
//
// On Windows the hook replaces the window procedure. Elsewhere the window
// system already gives system commands their default handling, so only the
// record is kept: it holds the main window's handle while the hook is
// installed, so start-up and shutdown run in the same order everywhere.
struct WindowHook {
  std::uintptr_t window = 0;              // 0 when no hook is installed
  std::uintptr_t previous_procedure = 0;  // 0 when no hook is installed (always, off Windows)
};

// The one record, from the load step to the unload step.
const WindowHook& TheWindowHook();

// REQUIRES: no hook installed. Creates the native window if needed.
void HookMainWindow(QWidget* main_window);

// Puts the previous procedure back and clears the record. Harmless when no
// hook is installed.
void UnhookMainWindow();

}  // namespace quarnel

#endif  // QUARNEL_UI_WINDOW_HOOK_H_
