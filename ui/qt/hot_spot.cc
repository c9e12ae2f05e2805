#include "ui/qt/hot_spot.h"

#include <QMouseEvent>

namespace quarnel {

QString ControlName(const QString& name, int index) {
  return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

HotSpot::HotSpot(const QString& name, int index, const QRect& rect, QWidget* parent)
    : QWidget(parent), index_(index) {
  setObjectName(ControlName(name, index));
  setGeometry(rect);
  setMouseTracking(true);
  setAttribute(Qt::WA_NoSystemBackground);
}

void HotSpot::mousePressEvent(QMouseEvent* event) {
  // Taken here, so a press on a hot spot never moves the window.
  pressed_ = true;
  event->accept();
}

void HotSpot::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release on the same spot, with any button.
  const bool click = pressed_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked(index_);
}

void HotSpot::mouseMoveEvent(QMouseEvent* event) {
  emit hovered(index_);
  event->accept();
}

}  // namespace quarnel
