#ifndef QUARNEL_UI_QT_SET_FRM_H_
#define QUARNEL_UI_QT_SET_FRM_H_

#include <array>
#include <optional>

#include <QDialog>

#include "platform/env.h"
#include "settings/settings.h"
#include "ui/qt/window_services.h"
#include "ui/rules/settings_window_rules.h"

namespace quarnel {

class IndicatorPicture;
class ListBoxWidget;
class TextBoxWidget;

// The settings window: a 300 x 430 captionless skin over the Settings
// record. Created afresh for each showing (modal, owned by the main window);
// its controls hold the edits until 「変更して閉じる」 copies them into
// Settings. Controls are named as the rules name them: Image1 ... Image11,
// Image4(i), Image5(i), Picture1 ... Picture5, List1(i), Text1(i).
class SetFrm : public QDialog, private SetFrmWindow {
  Q_OBJECT

 public:
  // Builds the window and runs its load step. `main_window` is the main
  // window's pin, which the pin switch changes as well.
  // `env` locates "readme.htm".
  SetFrm(Env& env, Settings& settings, MainWindowPin& main_window, QWidget* owner);
  ~SetFrm() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // SetFrmWindow.
  void SetTopmost(bool on) override { quarnel::SetTopmost(this, on); }
  void Close() override { done(QDialog::Rejected); }
  void OpenReadme() override { quarnel::OpenReadme(env_); }
  void SetPointer(Pointer pointer) override;
  void StartCaptionDrag() override { caption_drag_.Start(this, press_global_); }

  void CreateControls();
  QWidget* FocusStopWidget(const FocusStop& stop) const;

  Env& env_;
  std::array<IndicatorPicture*, 5> picture_{};
  std::array<ListBoxWidget*, 3> list1_{};
  std::array<TextBoxWidget*, 3> text1_{};
  std::optional<SetFrmRules> rules_;
  CaptionDrag caption_drag_;
  QPoint press_global_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_SET_FRM_H_
