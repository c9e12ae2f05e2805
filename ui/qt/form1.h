#ifndef QUARNEL_UI_QT_FORM1_H_
#define QUARNEL_UI_QT_FORM1_H_

#include <QMimeData>
#include <QStringList>
#include <QWidget>

#include "files/session.h"
#include "ui/qt/window_services.h"
#include "ui/rules/controls.h"
#include "ui/rules/main_window_rules.h"
#include "ui/rules/main_window_run.h"

namespace quarnel {

class IndicatorPicture;

// The main window: a 300 x 150 captionless skin that compacts the files and
// folders dropped on it, with six hot areas (Image1(0) to Image1(5)) and the
// pin indicator Picture1, whose visibility is the program's live
// keep-on-top state. Borderless with a system menu and a minimize box on
// its taskbar button. Its run (MainWindowRun) loads and unloads it and
// runs the drops; the window paints, places its controls and tells.
class Form1 : public QWidget, public MainWindowFace, private MainWindowHost {
  Q_OBJECT

 public:
  // The drops run in `session`, whose settings the settings window edits;
  // its Env locates "readme.htm".
  explicit Form1(Session& session, QWidget* parent = nullptr);
  ~Form1() override;

  // MainWindowPin.
  bool PinShown() const override;
  void SetPinShown(bool shown) override;
  void SetTopmost(bool on) override;

  MainWindowRun& run() { return run_; }
  const MainWindowRun& run() const { return run_; }

  // Hands the paths to the run's drop (see MainWindowRun::Drop).
  void ProcessDrop(const QStringList& paths);
  bool DropCountVisible() const { return run_.DropCountVisible(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // MainWindowHost and MainWindowFace.
  void OpenSettingsWindow() override;
  void OpenAboutWindow() override;
  void Minimize() override { showMinimized(); }
  void Close() override { close(); }
  void OpenReadme() override { quarnel::OpenReadme(session_.env()); }
  void SetPointer(Pointer pointer) override;
  void StartCaptionDrag() override { caption_drag_.Start(this, press_global_); }
  void Show() override { show(); }
  // Repaints during a long drop; clicks and keys wait until it is done.
  void PaintDuringDrop() override;
  void Repaint() override { update(); }
  void TellProblems(const std::string& summary, const std::vector<std::string>& details) override;

  void DrawDropCount(QPainter& painter) const;

  Session& session_;
  MainWindowRules rules_;
  MainWindowRun run_;
  IndicatorPicture* picture1_ = nullptr;
  CaptionDrag caption_drag_;
  QPoint press_global_;
};

// The local files and folders of a drop, in the drop's order, as native
// paths. Empty when the drop carries no files.
QStringList DroppedPaths(const QMimeData* data);

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_FORM1_H_
