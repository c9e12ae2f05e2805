#ifndef QUARNEL_TESTS_UI_QT_TEST_SUPPORT_H_
#define QUARNEL_TESTS_UI_QT_TEST_SUPPORT_H_

#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QList>
#include <QObject>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include "tests/support/folder_env.h"

namespace quarnel {

// A click as the window system delivers it: at a point of the window, to
// whatever control lies there.
inline void ClickAt(QWidget* window, QPoint point, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseClick(window->windowHandle(), button, Qt::NoModifier, point);
}

inline void MoveTo(QWidget* window, QPoint point) {
  QTest::mouseMove(window->windowHandle(), point);
}

template <typename T = QWidget>
T* Control(QWidget* window, const QString& name) {
  T* control = window->findChild<T*>(name);
  if (control == nullptr) qFatal("no control named %s", qPrintable(name));
  return control;
}

// Runs `step` with the modal window once one is open: the way to act inside
// exec(). The step runs inside that window's event loop.
inline void WhenModalOpens(std::function<void(QWidget*)> step) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, step] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    step(modal);
  });
  timer->start();
}

// Receives what the windows hand to the desktop's "open".
class OpenedUrls : public QObject {
  Q_OBJECT

 public:
  OpenedUrls() {
    for (const char* scheme : {"file", "https", "mailto"}) {
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
    }
  }
  ~OpenedUrls() override {
    for (const char* scheme : {"file", "https", "mailto"}) {
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
  }
  QList<QUrl> urls;

 public slots:
  void Open(const QUrl& url) { urls.append(url); }
};

using testing_support::FolderEnv;

inline QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    qFatal("cannot write %s", qPrintable(path));
  }
}

}  // namespace quarnel

#endif  // QUARNEL_TESTS_UI_QT_TEST_SUPPORT_H_
