#include "ui/qt/window_services.h"

#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QUrl>
#include <QWindow>

#include "platform/companion_file.h"
#include "platform/path.h"
#include "ui/qt/art_pictures.h"
#include "ui/rules/about_window_rules.h"

namespace quarnel {

void SetTopmost(QWidget* window, bool on) {
  window->winId();  // creates the native window if needed, never re-creates it
  Qt::WindowFlags flags = window->windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on);
  // QWidget::setWindowFlags would hide and re-create the window; telling the
  // widget and its native window separately keeps the one window in place.
  window->overrideWindowFlags(flags);
  if (QWindow* handle = window->windowHandle()) handle->setFlags(flags);
}

bool IsTopmost(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  return handle != nullptr && handle->flags().testFlag(Qt::WindowStaysOnTopHint);
}

void CaptionDrag::Start(QWidget* window, QPoint global_press) {
  window_.clear();
  QWindow* handle = window->windowHandle();
  if (handle != nullptr && handle->startSystemMove()) return;
  window_ = window;
  offset_ = global_press - window->frameGeometry().topLeft();
}

void CaptionDrag::MouseMoved(QPoint global_pos) {
  if (window_) window_->move(global_pos - offset_);
}

void ShellOpen(const QString& target) { QDesktopServices::openUrl(QUrl(target)); }

void OpenReadme(Env& env) {
  const std::string path =
      LocateCompanionFile(env, env.ProgramFolder(), InstalledDataFolder(), kManualName);
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}

void ShowPointer(QWidget* window, Pointer pointer) {
  if (pointer == Pointer::kLink) {
    window->setCursor(LinkPointer());
  } else {
    window->setCursor(Qt::ArrowCursor);
  }
}

void ShowInformation(QWidget* owner, const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));  // the toolkit's line break
  QMessageBox box(QMessageBox::Information,
                  QString::fromUtf8(kMessageTitle.data(), kMessageTitle.size()), shown,
                  QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace quarnel
