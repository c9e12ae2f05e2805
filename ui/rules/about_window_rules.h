#ifndef QUARNEL_UI_RULES_ABOUT_WINDOW_RULES_H_
#define QUARNEL_UI_RULES_ABOUT_WINDOW_RULES_H_

#include <array>
#include <string_view>

#include "ui/rules/controls.h"
#include "ui/rules/geometry.h"

namespace quarnel {

// VerFrm, the about window: a 300 x 300 artwork with the version text laid
// over it and four invisible click areas (the HotSpot array Image1).

inline constexpr Size kVerFrmSize{300, 300};
inline constexpr std::string_view kVerFrmCaption = "Quarnel 2";

// Image1 (0) to Image1 (3): the banner, POST MAIL, the cross, UPDATE.
inline constexpr std::array<Rect, 4> kVerFrmHotSpots = {{
    {96, 208, 201, 49},
    {200, 256, 73, 17},
    {278, 2, 20, 20},
    {120, 256, 73, 17},
}};

// Label1, the version text, and its colour.
inline constexpr Rect kVerFrmLabel1{240, 72, 57, 17};
inline constexpr Rgb kVersionTextColour{64, 64, 64};

// The notice that UPDATE shows, in a message box titled "Quarnel".
inline constexpr std::string_view kMessageTitle = "Quarnel";
inline constexpr std::string_view kNotImplementedMessage =
    "現在この機能は実装されていません、\r\nV3で実装予定です";

// The window services that the about window's rules call.
class AboutWindowHost {
 public:
  virtual ~AboutWindowHost() = default;
  virtual void SetTopmost(bool on) = 0;
  virtual void Close() = 0;
  // Hands an address to the desktop's "open"; the result is not examined.
  virtual void OpenAddress(std::string_view address) = 0;
  // An information box with an OK button; returns when it is dismissed.
  virtual void ShowInformation(std::string_view text) = 0;
  virtual void SetPointer(Pointer pointer) = 0;
};

class AboutWindowRules {
 public:
  explicit AboutWindowRules(AboutWindowHost& host) : host_(host) {}

  // Load: kept on top only while the main window is.
  void Load(const MainWindowPin& main_window);

  // A click on Image1 (index): home page, mail, close, or the notice. Any
  // other index does nothing.
  void ClickHotSpot(int index);
  // A click on the bare artwork or on Label1 closes the window.
  void ClickBackground() { host_.Close(); }
  void ClickLabel1() { host_.Close(); }

  void MouseMoveOnBackground() { host_.SetPointer(Pointer::kDefault); }
  void MouseMoveOnHotSpot() { host_.SetPointer(Pointer::kLink); }
  // Moves over Label1 change nothing: the pointer stays as last set.

 private:
  AboutWindowHost& host_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_ABOUT_WINDOW_RULES_H_
