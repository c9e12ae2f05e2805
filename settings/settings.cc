#include "settings/settings.h"

namespace quarnel {

Settings& TheSettings() {
  static Settings settings;
  return settings;
}

}  // namespace quarnel
