#include "ui/window_hook.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include "platform/windows_include.h"
#endif

namespace quarnel {
namespace {

WindowHook g_hook;

#ifdef Q_OS_WIN
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
  return CallWindowProcW(reinterpret_cast<WNDPROC>(g_hook.previous_procedure), window, message,
                         wparam, lparam);
}
#endif

}  // namespace

const WindowHook& TheWindowHook() { return g_hook; }

void HookMainWindow(QWidget* main_window) {
  const std::uintptr_t window = static_cast<std::uintptr_t>(main_window->winId());
#ifdef Q_OS_WIN
  const LONG_PTR previous = SetWindowLongPtrW(reinterpret_cast<HWND>(window), GWLP_WNDPROC,
                                              reinterpret_cast<LONG_PTR>(&MainWindowProc));
  g_hook.previous_procedure = static_cast<std::uintptr_t>(previous);
#endif
  g_hook.window = window;
}

void UnhookMainWindow() {
#ifdef Q_OS_WIN
  if (g_hook.window != 0 && g_hook.previous_procedure != 0) {
    SetWindowLongPtrW(reinterpret_cast<HWND>(g_hook.window), GWLP_WNDPROC,
                      static_cast<LONG_PTR>(g_hook.previous_procedure));
  }
#endif
  g_hook = WindowHook{};
}

}  // namespace quarnel
