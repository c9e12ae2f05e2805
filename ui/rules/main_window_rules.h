#ifndef QUARNEL_UI_RULES_MAIN_WINDOW_RULES_H_
#define QUARNEL_UI_RULES_MAIN_WINDOW_RULES_H_

#include <array>
#include <string_view>

#include "ui/rules/controls.h"
#include "ui/rules/geometry.h"

namespace quarnel {

// Form1, the main window: a 300 x 150 skin with six hot areas over its drawn
// buttons and the pin indicator Picture1 over hot area 5.

inline constexpr Size kForm1Size{300, 150};
inline constexpr std::string_view kForm1Caption = "Quarnel 2";

enum class MainWindowAction {
  kNone,
  kOpenSettings,
  kOpenAbout,
  kMinimize,
  kClose,
  kOpenReadme,
  kTogglePin,
};

struct MainHotArea {
  int index;
  Rect rect;
  MainWindowAction action;
};

// Image1 (0) to Image1 (5).
inline constexpr std::array<MainHotArea, 6> kForm1HotAreas = {{
    {0, {16, 130, 121, 17}, MainWindowAction::kOpenSettings},
    {1, {154, 130, 137, 17}, MainWindowAction::kOpenAbout},
    {2, {251, 0, 17, 17}, MainWindowAction::kMinimize},
    {3, {280, 0, 17, 17}, MainWindowAction::kClose},
    {4, {192, 0, 17, 17}, MainWindowAction::kOpenReadme},
    {5, {224, 0, 17, 17}, MainWindowAction::kTogglePin},
}};

// Picture1, the 14 x 14 pin indicator.
inline constexpr Rect kForm1Picture1{225, 2, 14, 14};

// What a click on hot area `index` does; kNone for any other index.
MainWindowAction Form1HotAreaAction(int index);

// The window services that the main window's rules call.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  // Modal, owned by the main window; returns when the window has closed.
  virtual void OpenSettingsWindow() = 0;
  virtual void OpenAboutWindow() = 0;
  virtual void Minimize() = 0;
  // Unloads the main window: its unload step runs and the run ends.
  virtual void Close() = 0;
  // Opens "readme.htm" (beside the program or installed); failures are not reported.
  virtual void OpenReadme() = 0;
  virtual void SetPointer(Pointer pointer) = 0;
  virtual void StartCaptionDrag() = 0;
};

class MainWindowRules {
 public:
  MainWindowRules(MainWindowHost& host, MainWindowPin& pin) : host_(host), pin_(pin) {}

  // A click on Image1 (index); any other index does nothing.
  void ClickHotArea(int index);
  // A click on Picture1 acts exactly as one on hot area 5.
  void ClickPicture1() { TogglePin(); }
  // Shows or hides Picture1 and switches keep-on-top with it.
  void TogglePin();

  void MouseMoveOnFace() { host_.SetPointer(Pointer::kDefault); }
  void MouseMoveOnHotArea() { host_.SetPointer(Pointer::kLink); }
  // Any button pressed on the face (not on a hot area) moves the window.
  void MouseDownOnFace() { host_.StartCaptionDrag(); }

  // The window was first shown, resized, minimized or restored: a pinned
  // window is pinned again, since the window system may have dropped it from
  // the keep-on-top band. The pin indicator decides, so a window the user
  // unpinned stays unpinned.
  void WindowPlacementChanged();

 private:
  MainWindowHost& host_;
  MainWindowPin& pin_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_MAIN_WINDOW_RULES_H_
