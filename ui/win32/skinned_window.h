#ifndef QUARNEL_UI_WIN32_SKINNED_WINDOW_H_
#define QUARNEL_UI_WIN32_SKINNED_WINDOW_H_

#include <span>
#include <string_view>

#include "platform/windows_include.h"
#include "ui/rules/geometry.h"
#include "ui/win32/window_object.h"

namespace quarnel {

// A captionless top-level window whose face is one picture with hot spots
// over its drawn buttons (Form1, SetFrm, VerFrm). It keeps the window's
// dots per inch and follows WM_DPICHANGED, shows the pointer its rules
// chose (WM_SETCURSOR), finds the hot spot under the mouse in a table of
// rectangles, turns a left press and release on the same hot spot into a
// click, and runs modally over an owner. What a window makes of these goes
// to its short OnX members.
class SkinnedWindow : public WindowObject {
 public:
  // Not on a hot spot: on the bare face.
  static constexpr int kFace = -1;

 protected:
  // `hot_spots`: rectangles in 96-dpi client pixels, later ones above
  // earlier ones; a hot spot is named by its place in the table. The
  // table outlives the window (a constant).
  explicit SkinnedWindow(std::span<const Rect> hot_spots) : hot_spots_(hot_spots) {}
  ~SkinnedWindow() = default;

  // Creates the window, hidden, `size` in 96-dpi pixels scaled to its dots
  // per inch, centred over `owner` when that is shown, else on its screen.
  bool CreateSkinned(DWORD ex_style, const wchar_t* class_name, std::string_view caption,
                     DWORD style, Size size, HWND owner);
  UINT dpi() const { return dpi_; }

  // The pointer shown over the window's own surface from now on.
  void ShowWindowPointer(Pointer pointer);

  // Shows the window modally over `owner`, which takes no input meanwhile,
  // until the window is gone. Each key press for the window or its
  // controls goes to OnKeyDown first, and is taken when that returns true.
  // A WM_QUIT met meanwhile is put back for the outer loop.
  void RunModal(HWND owner);
  // Destroys the window. The owner of a modal window is enabled first, so
  // that the system hands the activation back to it rather than to another
  // program's window, as a dialog manager does.
  void CloseWindow();

  // A left press and release on hot spot `spot`.
  virtual void OnClick([[maybe_unused]] int spot) {}
  // Any button pressed on the bare face.
  virtual void OnFacePress() {}
  // The mouse moved with no button held, over hot spot `spot` or kFace.
  virtual void OnMouseMove([[maybe_unused]] int spot) {}
  // The dots per inch changed: the child windows are placed anew.
  virtual void OnLayout() {}
  // Whether the child window `child` shows a pointer of its own.
  virtual bool HasOwnPointer([[maybe_unused]] HWND child) const { return false; }
  // WM_COMMAND from a child control.
  virtual void OnCommand([[maybe_unused]] int id, [[maybe_unused]] int code) {}
  // A key pressed; true when the window took it.
  virtual bool OnKeyDown([[maybe_unused]] WPARAM key) { return false; }
  // WM_CLOSE (Alt+F4, Close from the taskbar button's menu).
  virtual void OnClose() { CloseWindow(); }
  // Every other message.
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcW(window_, message, wparam, lparam);
  }

 private:
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) final;
  // The hot spot under a client point (device pixels), or kFace.
  int HotSpotAt(LPARAM point) const;
  void ButtonDown(UINT message, LPARAM point);
  void LeftButtonUp(LPARAM point);
  void DpiChanged(UINT dpi, const RECT& suggested);

  const std::span<const Rect> hot_spots_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  Pointer pointer_ = Pointer::kDefault;
  int pressed_ = kFace;         // the hot spot a left press started on
  HWND modal_owner_ = nullptr;  // while the window runs modally
};

}  // namespace quarnel

#endif  // QUARNEL_UI_WIN32_SKINNED_WINDOW_H_
