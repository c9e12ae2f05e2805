#ifndef QUARNEL_UI_QT_ART_PICTURES_H_
#define QUARNEL_UI_QT_ART_PICTURES_H_

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quarnel {

// The compiled-in pictures of ui/art/, by name without extension
// ("form1_skin", "pin", ...). The double-density variant is taken when the
// screen asks for it.
QPixmap ArtPixmap(const QString& name, double device_pixel_ratio);

// The program's window icon.
QIcon QuarnelIcon();

// LinkPointer: the arrow mirrored left to right, hot spot (31, 0).
QCursor LinkPointer();

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_ART_PICTURES_H_
