#ifndef QUARNEL_UI_QT_INTERACTIVE_RUN_H_
#define QUARNEL_UI_QT_INTERACTIVE_RUN_H_

#include <string>

#include "files/session.h"
#include "platform/env.h"
#include "platform/status.h"
#include "settings/settings.h"
#include "ui/qt/form1.h"

namespace quarnel {

// The interactive run: one session, and the main window from its load step
// to its unload step (MainWindowRun). REQUIRES: a QApplication exists.
class InteractiveRun {
 public:
  InteractiveRun(Env& env, Settings& settings) : session_(env, settings), window_(session_) {}
  InteractiveRun(const InteractiveRun&) = delete;
  InteractiveRun& operator=(const InteractiveRun&) = delete;

  // See MainWindowRun::Start.
  Status Start() { return window_.run().Start(); }

  Form1& main_window() { return window_; }

  // Whether the unload step has run: the window was closed.
  bool ended() const { return window_.run().unloaded(); }
  // Why the settings file could not be written at the end, if it could not.
  const Status& unload_status() const { return window_.run().unload_status(); }

 private:
  Session session_;
  Form1 window_;
};

// True when an interactive start can hope to open a window: a display is
// named or a Qt platform is chosen. False, with `why` set, on a Unix
// machine without either.
bool DisplayNamed(std::string* why);

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_INTERACTIVE_RUN_H_
