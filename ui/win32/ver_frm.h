#ifndef QUARNEL_UI_WIN32_VER_FRM_H_
#define QUARNEL_UI_WIN32_VER_FRM_H_

#include <string_view>

#include "platform/windows_include.h"
#include "ui/rules/about_window_rules.h"
#include "ui/rules/controls.h"
#include "ui/win32/skinned_window.h"

namespace quarnel {

// The about window, window class "VerFrm": a 300 x 300 captionless artwork
// with the version text Label1 laid over it and four hot spots Image1(0)
// to Image1(3). Every decision is AboutWindowRules'.
class VerFrm final : public SkinnedWindow, private AboutWindowHost {
 public:
  explicit VerFrm(const MainWindowPin& main_window);
  ~VerFrm() override;
  VerFrm(const VerFrm&) = delete;
  VerFrm& operator=(const VerFrm&) = delete;

  // Creates the window, hidden, centred over `owner`, and runs its load
  // step. False when the system refuses.
  bool Create(HWND owner);
  // Create, then modal over `owner` until it closes.
  void ShowModal(HWND owner);

 private:
  // AboutWindowHost.
  void SetTopmost(bool on) override;
  void Close() override;
  void OpenAddress(std::string_view address) override;
  void ShowInformation(std::string_view text) override;
  void SetPointer(Pointer pointer) override { ShowWindowPointer(pointer); }

  // SkinnedWindow. Its hot spots: the whole artwork, Label1, then Image1
  // (0) to Image1 (3) above them.
  void OnClick(int spot) override;
  void OnMouseMove(int spot) override;
  bool OnKeyDown(WPARAM key) override;
  void Paint(HDC dc) override;

  const MainWindowPin& main_window_;
  AboutWindowRules rules_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_WIN32_VER_FRM_H_
