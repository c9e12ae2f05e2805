#ifndef QUARNEL_UI_QT_WINDOW_HOOK_H_
#define QUARNEL_UI_QT_WINDOW_HOOK_H_

class QWidget;

namespace quarnel {

// Module SubClass: the window procedure hook on the main window, which hands
// every system command (minimize, restore, move and close from the taskbar
// button's menu, and the move of StartCaptionDrag) to the system's default
// handling. Installed once when the main window loads, removed once, first
// thing, when it unloads.
//
// On Windows the hook replaces the window procedure. Elsewhere the window
// system already gives system commands their default handling, and both
// calls do nothing.

// REQUIRES: no hook installed. Creates the native window if needed.
void HookMainWindow(QWidget* main_window);

// Puts the previous procedure back. Harmless when no hook is installed.
void UnhookMainWindow();

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_WINDOW_HOOK_H_
