#include "ui/qt/interactive_run.h"

#include <cstdlib>

namespace quarnel {

bool DisplayNamed(std::string* why) {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
  };
  if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY")) return true;
  *why = "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
  return false;
}

}  // namespace quarnel
