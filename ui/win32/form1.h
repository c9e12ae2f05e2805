#ifndef QUARNEL_UI_WIN32_FORM1_H_
#define QUARNEL_UI_WIN32_FORM1_H_

#include <string>
#include <vector>

#include "files/session.h"
#include "platform/windows_include.h"

#include <shellapi.h>
#include "ui/rules/controls.h"
#include "ui/rules/main_window_rules.h"
#include "ui/rules/main_window_run.h"
#include "ui/win32/indicator_picture.h"
#include "ui/win32/skinned_window.h"
#include "ui/win32/window_services.h"

namespace quarnel {

// The main window, window class "Form1": a 300 x 150 captionless skin
// (WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX) that compacts the files and
// folders dropped on it (WM_DROPFILES), with six hot areas Image1(0) to
// Image1(5) and the pin indicator Picture1, whose visibility is the
// program's live keep-on-top state. Every decision is MainWindowRules';
// its run (MainWindowRun) loads and unloads it and runs the drops.
class Form1 final : public MainWindowFace, public SkinnedWindow, private MainWindowHost {
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
  // Shows the window and paints it at once.
  void Show() override;

  // Its load and unload steps and its drops. The window is destroyed
  // once it has been unloaded.
  MainWindowRun& run() { return run_; }

  // Hands the paths (UTF-8) to the run's drop (see MainWindowRun::Drop).
  void ProcessDrop(const std::vector<std::string>& paths) { run_.Drop(paths); }
  bool DropCountVisible() const { return run_.DropCountVisible(); }

  const IndicatorPicture& picture1() const { return picture1_; }

  // MainWindowPin.
  bool PinShown() const override { return picture1_.Shown(); }
  void SetPinShown(bool shown) override { picture1_.SetShown(shown); }
  void SetTopmost(bool on) override { quarnel::SetTopmost(window_, on); }

 private:
  // MainWindowFace.
  void InstallHook() override { HookMainWindow(window_); }
  void RemoveHook() override { UnhookMainWindow(); }
  void PaintDuringDrop() override;
  void Repaint() override { ::InvalidateRect(window_, nullptr, FALSE); }
  void TellProblems(const std::string& summary, const std::vector<std::string>& details) override;

  // MainWindowHost (and MainWindowFace's Close).
  void OpenSettingsWindow() override;
  void OpenAboutWindow() override;
  void Minimize() override { ::ShowWindow(window_, SW_MINIMIZE); }
  void Close() override { ::SendMessageW(window_, WM_CLOSE, 0, 0); }
  void OpenReadme() override { quarnel::OpenReadme(session_.env(), window_); }
  void SetPointer(Pointer pointer) override { ShowWindowPointer(pointer); }
  void StartCaptionDrag() override { quarnel::StartCaptionDrag(window_); }

  // SkinnedWindow.
  void OnClick(int spot) override;
  void OnFacePress() override { rules_.MouseDownOnFace(); }
  void OnMouseMove(int spot) override;
  void OnLayout() override { picture1_.Layout(dpi()); }
  void OnCommand(int id, int code) override;
  void OnClose() override;
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc) override;

  void OnDropFiles(HDROP drop);
  void DrawDropCount(HDC dc) const;

  Session& session_;
  NoticeTeller tell_;
  MainWindowRules rules_;
  MainWindowRun run_;
  IndicatorPicture picture1_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_WIN32_FORM1_H_
