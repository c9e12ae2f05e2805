#include "ui/qt/interactive_run.h"

#include <cstdlib>
#include <cstring>

#include "ui/qt/problem_notice.h"
#include "ui/rules/notice_texts.h"

namespace quarnel {

InteractiveRun::InteractiveRun(Env& env, Settings& settings)
    : session_(env, settings), window_(session_) {
  window_.SetUnloadStep([this] {
    unload_status_ = session_.End(window_.PinShown());
    ended_ = true;
  });
}

Status InteractiveRun::Start() {
  const Status loaded = session_.Start();
  window_.Load();
  window_.show();
  if (!loaded.ok()) ShowProblems(&window_, SettingsNotReadSummary(), {ProblemLine(loaded)});
  return loaded;
}

bool DisplayNamed(std::string* why) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
  (void)why;
  return true;
#else
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
  };
  if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY")) return true;
  *why = "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
  return false;
#endif
}

}  // namespace quarnel
