#ifndef QUARNEL_UI_QT_VER_FRM_H_
#define QUARNEL_UI_QT_VER_FRM_H_

#include <QDialog>
#include <QLabel>

#include "ui/rules/about_window_rules.h"

namespace quarnel {

// The about window: a fixed 300 x 300 artwork with the version text Label1
// over it and four invisible click areas, Image1(0) to Image1(3). Modal,
// owned by the main window, centred over it. It cannot be dragged.
class VerFrm : public QDialog, private AboutWindowHost {
  Q_OBJECT

 public:
  // Runs the load step: kept on top only while the main window is.
  VerFrm(const MainWindowPin& main_window, QWidget* owner);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // AboutWindowHost.
  void SetTopmost(bool on) override;
  void Close() override { done(QDialog::Rejected); }
  void OpenAddress(std::string_view address) override;
  void ShowInformation(std::string_view text) override;
  void SetPointer(Pointer pointer) override;

  AboutWindowRules rules_;
  bool pressed_ = false;
};

// Label1: the version text. A click on it closes the window; mouse moves over
// it change nothing, so they stop here.
class VersionLabel : public QLabel {
  Q_OBJECT

 public:
  explicit VersionLabel(QWidget* parent);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_VER_FRM_H_
