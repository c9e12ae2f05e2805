#ifndef QUARNEL_UI_FORM1_H_
#define QUARNEL_UI_FORM1_H_

#include <functional>

#include <QMimeData>
#include <QStringList>
#include <QWidget>

#include "files/main_window.h"
#include "platform/env.h"
#include "settings/settings.h"
#include "ui/drop_progress.h"
#include "ui/rules/controls.h"
#include "ui/rules/main_window_rules.h"
#include "ui/rules/unseen_settings_window.h"
#include "ui/window_services.h"

namespace quarnel {

class IndicatorPicture;

// The main window: a 300 x 150 captionless skin that compacts the files and
// folders dropped on it, with six hot areas (Image1(0) to Image1(5)) and the
// pin indicator Picture1, whose visibility is the program's live
// keep-on-top state. It is the MainWindow of the load and unload steps.
class Form1 : public QWidget, public MainWindow, public MainWindowPin, private MainWindowHost {
  Q_OBJECT

 public:
  // `env` serves the drops and locates "readme.htm"; `settings` is the
  // record the drops and the settings window use.
  Form1(Env& env, Settings& settings, QWidget* parent = nullptr);
  ~Form1() override;

  // MainWindow and MainWindowPin.
  bool PinShown() const override;
  void SetPinShown(bool shown) override;
  void SetTopmost(bool on) override;
  void SetWindowStyle(std::uint32_t style) override;
  void HookMainWindow() override;
  void UnhookMainWindow() override;
  void Show() override { show(); }
  DefaultListSource& DefaultLists() override { return default_lists_; }

  // The unload step, run once when the window closes, however it closes.
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
  void OpenReadme() override { quarnel::OpenReadme(env_); }
  void SetPointer(Pointer pointer) override;
  void StartCaptionDrag() override { caption_drag_.Start(this, press_global_); }

  // Repaints during a long drop; clicks and keys wait until it is done.
  void KeepPainted();
  void DrawDropCount(QPainter& painter) const;

  Env& env_;
  Settings& settings_;
  MainWindowRules rules_;
  UnseenSettingsWindowDefaults default_lists_;
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

#endif  // QUARNEL_UI_FORM1_H_
