// Indicators, the window icon and LinkPointer.

#include <QImage>
#include <QLinearGradient>
#include <QPainterPath>

#include "ui/art/generator/paint_kit.h"
#include "ui/art/generator/pictures.h"

namespace quarnel::art {

void DrawPinIndicator(QPainter& p) {
  // A lit button face with a red pin: it covers the strip button's face
  // exactly, so the unpinned pin below never shows through.
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF face(0.5, 0.5, 13, 13);
  QLinearGradient lit(face.topLeft(), face.bottomLeft());
  lit.setColorAt(0.0, QColor(0xFF, 0xFB, 0xE8));
  lit.setColorAt(1.0, QColor(0xFF, 0xE2, 0x96));
  p.setPen(QPen(QColor(0xE0, 0xA8, 0x30), 1.0));
  p.setBrush(lit);
  p.drawRoundedRect(face, 2.5, 2.5);
  p.restore();
  DrawPinShape(p, QPointF(0, 0.5), colour::kPin, QColor(0x55, 0x5B, 0x66));
}

void DrawDiamondIndicator(QPainter& p) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath diamond;
  diamond.moveTo(6, 0.3);
  diamond.lineTo(11.7, 6);
  diamond.lineTo(6, 11.7);
  diamond.lineTo(0.3, 6);
  diamond.closeSubpath();
  QLinearGradient fill(0, 0, 0, 12);
  fill.setColorAt(0.0, QColor(0x4F, 0xA6, 0xF2));
  fill.setColorAt(1.0, QColor(0x17, 0x4F, 0xA8));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(diamond);
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawEllipse(QPointF(4.6, 4.4), 1.3, 1.1);
  p.restore();
}

void DrawSquareIndicator(QPainter& p) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, 0, 12);
  fill.setColorAt(0.0, QColor(0x4F, 0xA6, 0xF2));
  fill.setColorAt(1.0, QColor(0x17, 0x4F, 0xA8));
  p.setPen(QPen(QColor(0x14, 0x45, 0x96), 1.0));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(0.5, 0.5, 11, 11), 1.5, 1.5);
  // A white tick: the option is on.
  p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(3, 6.2), QPointF(5.1, 8.3), QPointF(9, 3.8)}));
  p.restore();
}

void DrawAppIcon(QPainter& p) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF tile(1.5, 1.5, 29, 29);
  QLinearGradient fill(tile.topLeft(), tile.bottomRight());
  fill.setColorAt(0.0, QColor(0x5C, 0xC8, 0xF0));
  fill.setColorAt(1.0, QColor(0x1A, 0x55, 0xB0));
  p.setPen(QPen(QColor(0x14, 0x45, 0x96), 1.0));
  p.setBrush(fill);
  p.drawRoundedRect(tile, 7, 7);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 60));
  p.drawRoundedRect(QRectF(3.5, 3, 25, 12), 5, 5);
  // A bold white Q.
  QPainterPath q;
  const QFont font = UiFont(25, true);
  q.addText(QPointF(0, 0), font, QStringLiteral("Q"));
  const QRectF box = q.boundingRect();
  q.translate(16 - box.center().x(), 15.5 - box.center().y());
  p.setBrush(QColor(0x0E, 0x35, 0x75, 70));
  p.drawPath(q.translated(0.6, 0.9));
  p.setBrush(Qt::white);
  p.drawPath(q);
  p.restore();
}

QImage LinkPointerImage() {
  // The standard arrow, black outline on white, mirrored left to right so it
  // points up and to the right; its hot spot is (31, 0).
  static const char* const kArrow[] = {
      "B",         "BB",        "BWB",        "BWWB",        "BWWWB",        "BWWWWB",   "BWWWWWB",
      "BWWWWWWB",  "BWWWWWWWB", "BWWWWWWWWB", "BWWWWWWWWWB", "BWWWWWWBBBBB", "BWWWBWWB", "BWWBBWWB",
      "BWB  BWWB", "BB   BWWB", "B     BWWB", "      BWWB",  "       BB",
  };
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  int y = 0;
  for (const char* row : kArrow) {
    for (int x = 0; row[x] != '\0'; ++x) {
      if (row[x] == ' ') continue;
      image.setPixelColor(31 - x, y, row[x] == 'B' ? QColor(Qt::black) : QColor(Qt::white));
    }
    ++y;
  }
  return image;
}

}  // namespace quarnel::art
