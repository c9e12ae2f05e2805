#ifndef QUARNEL_UI_WIN32_SET_FRM_H_
#define QUARNEL_UI_WIN32_SET_FRM_H_

#include <array>
#include <optional>
#include <string_view>

#include "platform/env.h"
#include "platform/windows_include.h"
#include "settings/settings.h"
#include "ui/rules/settings_window_rules.h"
#include "ui/win32/boxes.h"
#include "ui/win32/indicator_picture.h"
#include "ui/win32/skinned_window.h"

namespace quarnel {

// The settings window, window class "SetFrm", caption "Setings": a
// 300 x 430 captionless skin over the Settings record, created afresh for
// each showing (modal, owned by the main window). Its hot spots are
// places on the skin; Picture1 to Picture5 are indicator windows, List1(i)
// real LISTBOX and Text1(i) real EDIT controls. The controls hold the
// edits until 「変更して閉じる」 copies them into Settings. Every decision
// is SetFrmRules'.
class SetFrm final : public SkinnedWindow, private SetFrmWindow {
 public:
  // `main_window` is the main window's pin, which the pin switch changes
  // as well; `env` locates "readme.htm".
  SetFrm(Env& env, Settings& settings, MainWindowPin& main_window);
  ~SetFrm() override;
  SetFrm(const SetFrm&) = delete;
  SetFrm& operator=(const SetFrm&) = delete;

  // Creates the window, hidden, centred over `owner`, with its controls,
  // and runs its build and load steps. False when the system refuses.
  bool Create(HWND owner);
  // Create, then modal over `owner` until it closes.
  void ShowModal(HWND owner);

 private:
  // SetFrmWindow.
  void SetTopmost(bool on) override;
  void Close() override { CloseWindow(); }
  void OpenReadme() override;
  void SetPointer(Pointer pointer) override { ShowWindowPointer(pointer); }
  void StartCaptionDrag() override;

  // SkinnedWindow. Hot spots are named by their place in kSetFrmControls.
  void OnClick(int spot) override;
  void OnFacePress() override { rules_->BackgroundMouseDown(); }
  void OnMouseMove(int spot) override;
  void OnLayout() override;
  // List and text boxes keep their own pointers.
  bool HasOwnPointer(HWND child) const override { return BoxOf(child) != nullptr; }
  void OnCommand(int id, int code) override;
  // Tab and Shift+Tab along kSetFrmTabOrder, hidden indicators skipped;
  // Escape closes without saving.
  bool OnKeyDown(WPARAM key) override;
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc) override;

  bool CreateControls();
  HWND FocusStopWindow(const FocusStop& stop) const;
  const BoxControl* BoxOf(HWND control) const;

  Env& env_;
  Settings& settings_;
  MainWindowPin& main_window_;
  std::array<IndicatorPicture, 5> picture_;
  std::array<ListBoxControl, 3> list1_;
  std::array<TextBoxControl, 3> text1_;
  std::optional<SetFrmRules> rules_;
};

// The child window id of the control named `name` ("List1", "Text1",
// "Picture3"), member `index` of its array; 0 for an unknown name. Hot spots
// are places on the skin, not windows.
int SetFrmControlId(std::string_view name, int index = kLoneControl);

}  // namespace quarnel

#endif  // QUARNEL_UI_WIN32_SET_FRM_H_
