#ifndef QUARNEL_UI_WIN32_FORM1_H_
#define QUARNEL_UI_WIN32_FORM1_H_

#include <functional>
#include <string>
#include <vector>

#include "files/session.h"
#include "platform/windows_include.h"

#include <shellapi.h>
#include "ui/rules/controls.h"
#include "ui/rules/drop_progress.h"
#include "ui/rules/main_window_rules.h"
#include "ui/win32/indicator_picture.h"
#include "ui/win32/window_object.h"
#include "ui/win32/window_services.h"

namespace quarnel {

// The main window, window class "Form1": a 300 x 150 captionless skin
// (WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX) that compacts the files and
// folders dropped on it (WM_DROPFILES), with six hot areas Image1(0) to
// Image1(5) and the pin indicator Picture1, whose visibility is the
// program's live keep-on-top state. Every decision is MainWindowRules'.
class Form1 final : public MainWindowPin, public WindowObject, private MainWindowHost {
 public:
  // The drops run in `session`, whose settings the settings window edits;
  // `tell` shows what could not be done.
  explicit Form1(Session& session, NoticeTeller tell = ShowProblems);
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Creates the window, hidden, centred on the screen. False when the
  // system refuses.
  bool Create();
  // The load step, after the session has read the settings: pins the
  // window on top unless TopmostOff is set (then Picture1 is hidden), and
  // installs the window procedure hook.
  void Load();
  void Show();

  // The unload step, run once when the window closes, however it closes,
  // after the hook is removed. The window is then destroyed.
  void SetUnloadStep(std::function<void()> unload) { unload_ = std::move(unload); }

  // Hands the paths (UTF-8) to DispatchPath one after another, in order,
  // each finished before the next; what failed is told afterwards.
  void ProcessDrop(const std::vector<std::string>& paths);
  bool DropCountVisible() const { return progress_.visible(); }

  const IndicatorPicture& picture1() const { return picture1_; }

  // MainWindowPin.
  bool PinShown() const override { return picture1_.Shown(); }
  void SetPinShown(bool shown) override { picture1_.SetShown(shown); }
  void SetTopmost(bool on) override { quarnel::SetTopmost(window_, on); }

 private:
  // MainWindowHost.
  void OpenSettingsWindow() override;
  void OpenAboutWindow() override;
  void Minimize() override { ::ShowWindow(window_, SW_MINIMIZE); }
  void Close() override { ::SendMessageW(window_, WM_CLOSE, 0, 0); }
  void OpenReadme() override { quarnel::OpenReadme(session_.env(), window_); }
  void SetPointer(Pointer pointer) override;
  void StartCaptionDrag() override { quarnel::StartCaptionDrag(window_); }

  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc) override;
  void DrawDropCount(HDC dc) const;
  void OnDropFiles(HDROP drop);
  void OnClose();
  void Layout();
  // The hot area under a point of the client area (device pixels), or -1.
  int HotAreaAt(LPARAM point) const;
  void KeepPainted();

  Session& session_;
  NoticeTeller tell_;
  MainWindowRules rules_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  IndicatorPicture picture1_;
  std::function<void()> unload_;
  bool unloaded_ = false;
  int pressed_area_ = -1;  // the hot area a left press started on
  Pointer pointer_ = Pointer::kDefault;
  DropProgress progress_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_WIN32_FORM1_H_
