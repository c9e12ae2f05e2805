#include "ui/qt/indicator_picture.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/qt/art_pictures.h"

namespace quarnel {

IndicatorPicture::IndicatorPicture(const QString& name, const QString& picture, const QRect& rect,
                                   QWidget* parent)
    : QWidget(parent), picture_(picture) {
  setObjectName(name);
  setGeometry(rect);
  setFocusPolicy(Qt::TabFocus);
}

void IndicatorPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), ArtPixmap(picture_, devicePixelRatioF()));
  if (hasFocus()) {
    QPen dots(palette().color(QPalette::Highlight), 1, Qt::DotLine);
    painter.setPen(dots);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void IndicatorPicture::mousePressEvent(QMouseEvent* event) {
  pressed_ = true;
  event->accept();
}

void IndicatorPicture::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

}  // namespace quarnel
