#ifndef QUARNEL_FILES_MAIN_WINDOW_H_
#define QUARNEL_FILES_MAIN_WINDOW_H_

#include <cstdint>

#include "settings/default_list_source.h"

namespace quarnel {

// The style the load step gives the main window: WS_POPUP | WS_SYSMENU |
// WS_MINIMIZEBOX. No caption bar and no border, but a system menu and a
// minimize box on the taskbar button; not visible.
inline constexpr std::uint32_t kMainWindowStyle = 0x800A0000;

// The main window as the load and unload steps see it. The real window
// implements it in ui/; a batch run uses HeadlessMainWindow, which shows
// nothing.
class MainWindow {
 public:
  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  virtual ~MainWindow() = default;

  // The pin indicator Picture1. Its visibility is the live keep-on-top state
  // from the load step to the unload step, which saves it as TopmostOff.
  virtual bool PinShown() const = 0;
  virtual void SetPinShown(bool shown) = 0;

  // Pins the window on top of other windows (on) or returns it to the
  // normal band (off).
  virtual void SetTopmost(bool on) = 0;

  // Replaces the window's style, while it is still hidden.
  virtual void SetWindowStyle(std::uint32_t style) = 0;

  // Installs the window procedure hook that hands system commands to the
  // default handling. From here until UnhookMainWindow the WindowHook record
  // holds the window and its previous procedure.
  virtual void HookMainWindow() = 0;
  // Removes the hook: the window gets its previous procedure back and the
  // WindowHook record holds 0, 0 again.
  virtual void UnhookMainWindow() = 0;

  // Shows the window: the interactive run begins.
  virtual void Show() = 0;

  // The settings window loaded unseen: the source of the default
  // DeleteLines and JoinTags when there is no usable settings file.
  virtual DefaultListSource& DefaultLists() = 0;
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_MAIN_WINDOW_H_
