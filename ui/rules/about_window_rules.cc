#include "ui/rules/about_window_rules.h"

#include "base/product.h"

namespace quarnel {

void AboutWindowRules::Load(const MainWindowPin& main_window) {
  if (main_window.PinShown()) host_.SetTopmost(true);
}

void AboutWindowRules::ClickHotSpot(int index) {
  switch (index) {
    case 0:
      host_.OpenAddress(kHomePage);
      break;
    case 1:
      host_.OpenAddress(kAuthorMailTo);
      break;
    case 2:
      host_.Close();
      break;
    case 3:
      host_.ShowInformation(kNotImplementedMessage);
      break;
    default:
      break;
  }
}

}  // namespace quarnel
