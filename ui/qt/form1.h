#ifndef QUARNEL_UI_QT_FORM1_H_
#define QUARNEL_UI_QT_FORM1_H_

#include <functional>

#include <QMimeData>
#include <QStringList>
#include <QWidget>

#include "files/session.h"
#include "ui/qt/window_services.h"
#include "ui/rules/controls.h"
#include "ui/rules/drop_progress.h"
#include "ui/rules/main_window_rules.h"

namespace quarnel {

class IndicatorPicture;

// The main window: a 300 x 150 captionless skin that compacts the files and
// folders dropped on it, with six hot areas (Image1(0) to Image1(5)) and the
// pin indicator Picture1, whose visibility is the program's live
// keep-on-top state. Borderless with a system menu and a minimize box on
// its taskbar button.
class Form1 : public QWidget, public MainWindowPin, private MainWindowHost {
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

  // The window's load step, after the session has read the settings: pins
  // the window on top unless TopmostOff is set, in which case the pin
  // indicator is hidden, and installs the window procedure hook.
  void Load();

  // The unload step, run once when the window closes, however it closes,
  // after the hook is removed.
  void SetUnloadStep(std::function<void()> unload) { unload_ = std::move(unload); }

  // Hands the paths to DispatchPath one after another, in order, each
  // finished before the next. The window takes no input meanwhile.
  void ProcessDrop(const QStringList& paths);

  // The count of files done on the face: only while a long drop runs.
  bool DropCountVisible() const { return progress_.visible(); }

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
  // MainWindowHost.
  void OpenSettingsWindow() override;
  void OpenAboutWindow() override;
  void Minimize() override { showMinimized(); }
  void Close() override { close(); }
  void OpenReadme() override { quarnel::OpenReadme(session_.env()); }
  void SetPointer(Pointer pointer) override;
  void StartCaptionDrag() override { caption_drag_.Start(this, press_global_); }

  // Repaints during a long drop; clicks and keys wait until it is done.
  void KeepPainted();
  void DrawDropCount(QPainter& painter) const;

  Session& session_;
  MainWindowRules rules_;
  IndicatorPicture* picture1_ = nullptr;
  std::function<void()> unload_;
  bool unloaded_ = false;
  bool close_pending_ = false;  // a close asked for during a drop
  DropProgress progress_;
  CaptionDrag caption_drag_;
  QPoint press_global_;
};

// The local files and folders of a drop, in the drop's order, as native
// paths. Empty when the drop carries no files.
QStringList DroppedPaths(const QMimeData* data);

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_FORM1_H_
