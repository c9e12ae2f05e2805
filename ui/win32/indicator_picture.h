#ifndef QUARNEL_UI_WIN32_INDICATOR_PICTURE_H_
#define QUARNEL_UI_WIN32_INDICATOR_PICTURE_H_

#include <string>

#include "platform/windows_include.h"
#include "ui/rules/controls.h"
#include "ui/rules/geometry.h"
#include "ui/win32/window_object.h"

namespace quarnel {

// An indicator: a small child window showing one picture of ui/art/ while
// its option is on (the window is visible exactly then). A click (press
// and release on it) reaches the parent as WM_COMMAND with the control's
// id and BN_CLICKED. A focus stop when `tab_stop`, with a dotted frame
// while it has the focus. Its pointer is the parent's: moves over it change
// nothing.
class IndicatorPicture final : public Indicator, public WindowObject {
 public:
  IndicatorPicture() = default;
  IndicatorPicture(const IndicatorPicture&) = delete;
  IndicatorPicture& operator=(const IndicatorPicture&) = delete;

  // Creates the window, shown. `name` is its window text ("Picture1").
  bool Create(HWND parent, const std::string& name, std::string art, const Rect& place, int id,
              bool tab_stop);
  // Places it for the parent's dots per inch.
  void Layout(UINT dpi);

  bool Shown() const override;
  void SetShown(bool shown) override;

 private:
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc) override;

  std::string art_;
  Rect place_;
  bool pressed_ = false;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_WIN32_INDICATOR_PICTURE_H_
