#ifndef QUARNEL_UI_FORM1_H_
#define QUARNEL_UI_FORM1_H_

#include <array>
#include <functional>
#include <string>

#include <QMimeData>
#include <QStringList>
#include <QWidget>

#include "settings/settings.h"
#include "ui/drop_progress.h"
#include "ui/rules/controls.h"
#include "ui/rules/main_window_rules.h"
#include "ui/window_services.h"

namespace quarnel {

class HotSpot;
class IndicatorPicture;

// The main window: a 300 x 150 captionless skin that takes dropped files and
// folders and hands their paths on, with six hot areas (Image1 (0) to (5))
// and the pin indicator Picture1, whose visibility is the program's live
// keep-on-top state.
class Form1 : public QWidget, public MainWindowPin, private MainWindowHost {
  Q_OBJECT

 public:
  // Runs one path of a drop to the end (folder walk and all).
  using PathDispatcher = std::function<void(const std::string& path)>;

  explicit Form1(Settings& settings, QWidget* parent = nullptr);
  ~Form1() override;

  // MainWindowPin.
  bool PinShown() const override;
  void SetPinShown(bool shown) override;
  void SetTopmost(bool on) override;

  // The window style of the load step: no caption bar and no border, but a
  // system menu and a minimize box, so the taskbar button offers minimize,
  // restore and close. Call while the window is hidden.
  void ApplyWindowStyle();

  void SetPathDispatcher(PathDispatcher dispatcher) { dispatcher_ = std::move(dispatcher); }
  // The unload step, run once when the window closes, however it closes.
  void SetUnloadStep(std::function<void()> unload) { unload_ = std::move(unload); }

  // Called by the dispatcher's reporter after each file of a drop.
  void FileDone();

  // Hands the paths to the dispatcher one after another, in order. The
  // window takes no input meanwhile.
  void ProcessDrop(const QStringList& paths);

  // The drop count on the face: only while a long drop runs.
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
  void Minimize() override;
  void Close() override;
  void OpenReadme() override;
  void SetPointer(Pointer pointer) override;
  void StartCaptionDrag() override;

  void DrawDropCount(QPainter& painter) const;

  Settings& settings_;
  MainWindowRules rules_;
  std::array<HotSpot*, 6> image1_{};
  IndicatorPicture* picture1_ = nullptr;
  PathDispatcher dispatcher_;
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
