#include "ui/qt/art_pictures.h"

#include <QFile>

namespace quarnel {

QPixmap ArtPixmap(const QString& name, double device_pixel_ratio) {
  const QString base = QStringLiteral(":/art/") + name;
  if (device_pixel_ratio > 1.0 && QFile::exists(base + QStringLiteral("@2x.png"))) {
    QPixmap pixmap(base + QStringLiteral("@2x.png"));
    pixmap.setDevicePixelRatio(2.0);
    return pixmap;
  }
  return QPixmap(base + QStringLiteral(".png"));
}

QIcon QuarnelIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/art/quarnel_icon.png"));
  icon.addFile(QStringLiteral(":/art/quarnel_icon@2x.png"));
  return icon;
}

QCursor LinkPointer() { return QCursor(QPixmap(QStringLiteral(":/art/link_pointer.png")), 31, 0); }

}  // namespace quarnel
