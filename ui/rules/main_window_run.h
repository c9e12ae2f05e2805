#ifndef QUARNEL_UI_RULES_MAIN_WINDOW_RUN_H_
#define QUARNEL_UI_RULES_MAIN_WINDOW_RUN_H_

#include <string>
#include <vector>

#include "files/session.h"
#include "platform/status.h"
#include "ui/rules/controls.h"
#include "ui/rules/drop_progress.h"

namespace quarnel {

// What the main window's run asks of the window it runs in: its pin, and
// the services that only a toolkit can give.
class MainWindowFace : public MainWindowPin {
 public:
  // The window procedure hook (HookMainWindow), where the window system
  // needs one to give system commands their default handling; elsewhere
  // nothing.
  virtual void InstallHook() {}
  virtual void RemoveHook() {}
  virtual void Show() = 0;
  // Unloads the window as a close from its taskbar button does.
  virtual void Close() = 0;
  // A drop is running inside an event of the window: the face is painted
  // now, count and all, and the window system is shown that the window
  // lives. Input waits until the drop is done.
  virtual void PaintDuringDrop() = 0;
  // The face is to be repainted once the current event is done.
  virtual void Repaint() = 0;
  // A warning notice over the window: a summary, then its details.
  virtual void TellProblems(const std::string& summary,
                            const std::vector<std::string>& details) = 0;
};

// The interactive run of the main window, whatever toolkit shows it: its
// load step after the settings are read, the drops (handed to the session,
// with the count of files done and the notice of what failed), and its
// unload step, which writes the settings file.
class MainWindowRun {
 public:
  MainWindowRun(Session& session, MainWindowFace& face) : session_(session), face_(face) {}
  MainWindowRun(const MainWindowRun&) = delete;
  MainWindowRun& operator=(const MainWindowRun&) = delete;

  // Reads the settings, loads the window and shows it. Returns what there
  // was to say about a settings file that could not be trusted (the
  // defaults are in place then), which is also written to standard error
  // and told in a notice over the window.
  Status Start();

  // The load step: the window is pinned on top unless TopmostOff is set,
  // in which case the pin indicator is hidden; then the hook goes in.
  void Load();

  // Hands the paths to the session one after another, in order, each
  // finished before the next, and tells what failed afterwards. Does
  // nothing without paths or while a drop runs.
  void Drop(const std::vector<std::string>& paths);
  bool dropping() const { return progress_.running(); }
  // The count of files done on the face: only while a long drop runs.
  bool DropCountVisible() const { return progress_.visible(); }
  std::string DropCount() const { return DropCountText(progress_.files_done()); }

  // The window is asked to close. During a drop the close waits until the
  // drop has ended (then the face is closed) and this returns false;
  // otherwise the unload step runs and this returns true.
  bool CloseRequested();

  // The unload step, once, however the window goes: the hook comes out
  // first, then the settings file is written, TopmostOff taken from the
  // pin. Why it could not be written goes to standard error too.
  void Unload();
  bool unloaded() const { return unloaded_; }
  // Why the settings file could not be written, if it could not.
  const Status& unload_status() const { return unload_status_; }

 private:
  Session& session_;
  MainWindowFace& face_;
  DropProgress progress_;
  bool close_pending_ = false;  // a close asked for during a drop
  bool unloaded_ = false;
  Status unload_status_;
};

// The badge that shows the count of files done on the main window's face,
// at its right edge above the buttons. Lengths in 96-dpi pixels.
inline constexpr int kDropBadgeRight = 284;
inline constexpr int kDropBadgeTop = 103;
inline constexpr int kDropBadgeHeight = 15;
inline constexpr int kDropBadgePadding = 14;  // beside the text, both sides together
inline constexpr int kDropBadgeCornerRadius = 7;
inline constexpr int kDropBadgeFontPixels = 10;  // bold
inline constexpr Rgb kDropBadgeBorder{0x5C, 0x97, 0xD8};
inline constexpr Rgb kDropBadgeFill{255, 255, 255};
inline constexpr Rgb kDropBadgeText{0x1B, 0x4B, 0x9B};

// The badge's place for a text `text_width` wide, in the face's pixels;
// `scaled` turns a 96-dpi length into them.
template <typename Scale>
Rect DropBadgePlace(int text_width, Scale scaled) {
  const int width = text_width + scaled(kDropBadgePadding);
  const int right = scaled(kDropBadgeRight);
  const int top = scaled(kDropBadgeTop);
  return Rect{right - width, top, width, scaled(kDropBadgeTop + kDropBadgeHeight) - top};
}

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_MAIN_WINDOW_RUN_H_
