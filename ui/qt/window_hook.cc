#include "ui/qt/window_hook.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include "platform/windows_include.h"
#endif

namespace quarnel {

#ifdef Q_OS_WIN
namespace {

// The hooked window and its previous procedure, from HookMainWindow to
// UnhookMainWindow; null when no hook is installed.
HWND g_hooked_window = nullptr;
WNDPROC g_previous_procedure = nullptr;

// Qt's windows are Unicode windows, so the hook uses the wide entry points:
// the narrow ones would switch the window to ANSI messages and garble typed
// text.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SYSCOMMAND) {
    // The previous procedure never sees a system command; a close command
    // comes back as an ordinary close message, which unloads the window.
    DefWindowProcW(window, WM_SYSCOMMAND, wparam, lparam);
    return 0;
  }
  return CallWindowProcW(g_previous_procedure, window, message, wparam, lparam);
}

}  // namespace

void HookMainWindow(QWidget* main_window) {
  g_hooked_window = reinterpret_cast<HWND>(main_window->winId());
  g_previous_procedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      g_hooked_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindowProc)));
}

void UnhookMainWindow() {
  if (g_hooked_window != nullptr && g_previous_procedure != nullptr) {
    SetWindowLongPtrW(g_hooked_window, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(g_previous_procedure));
  }
  g_hooked_window = nullptr;
  g_previous_procedure = nullptr;
}

#else

void HookMainWindow(QWidget*) {}
void UnhookMainWindow() {}

#endif

}  // namespace quarnel
