#include "ui/art/generator/paint_kit.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QStringList>

namespace quarnel::art {
namespace {

const char* const kFontFiles[] = {
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc",
};

QString g_ui_family = "Noto Sans CJK JP";

}  // namespace

QRectF ToRectF(const Rect& r) { return QRectF(r.left, r.top, r.width, r.height); }

bool LoadFonts(QString* missing) {
  for (const char* file : kFontFiles) {
    const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(file));
    if (id < 0) {
      *missing = QString::fromUtf8(file);
      return false;
    }
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.contains(g_ui_family)) {
      *missing = g_ui_family;
      return false;
    }
  }
  return true;
}

QFont UiFont(double pixel_size, bool bold) {
  QFont font(g_ui_family);
  font.setPixelSize(static_cast<int>(pixel_size));
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QFont DisplayFont(double pixel_size, bool bold) { return UiFont(pixel_size, bold); }

void DrawLabel(QPainter& p, const QRectF& rect, const QString& text, const QFont& font,
               const QColor& colour, Qt::Alignment horizontal) {
  const QFontMetricsF metrics(font);
  // Centre on the ink of a full-height ideograph, so that labels of one font
  // share a baseline whatever their own letters are.
  const QRectF ink = metrics.tightBoundingRect(QStringLiteral("見H"));
  const double baseline = rect.center().y() - (ink.top() + ink.bottom()) / 2.0;
  const double width = metrics.horizontalAdvance(text);
  double x = rect.left();
  if (horizontal & Qt::AlignHCenter) x = rect.center().x() - width / 2.0;
  if (horizontal & Qt::AlignRight) x = rect.right() - width;
  p.save();
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QPointF(x, baseline), text);
  p.restore();
}

void DrawFace(QPainter& p, const QRectF& rect) {
  QLinearGradient face(rect.topLeft(), rect.bottomLeft());
  face.setColorAt(0.0, colour::kFaceTop);
  face.setColorAt(1.0, colour::kFaceBottom);
  p.fillRect(rect, face);
}

void DrawTitleStrip(QPainter& p, double width, double height) {
  QLinearGradient strip(0, 0, 0, height);
  strip.setColorAt(0.0, colour::kStripTop);
  strip.setColorAt(1.0, colour::kStripBottom);
  p.fillRect(QRectF(0, 0, width, height), strip);
  // A thin highlight under the top edge and a shadow line below the strip.
  p.fillRect(QRectF(0, 0, width, 1), QColor(255, 255, 255, 70));
  p.fillRect(QRectF(0, height, width, 1), QColor(0x12, 0x3E, 0x80, 110));
  p.fillRect(QRectF(0, height + 1, width, 1), QColor(0x12, 0x3E, 0x80, 35));
}

void DrawStripButton(QPainter& p, double left) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF frame(left + 0.5, 1.5, 15, 15);
  QLinearGradient face(frame.topLeft(), frame.bottomLeft());
  face.setColorAt(0.0, QColor(255, 255, 255, 95));
  face.setColorAt(1.0, QColor(255, 255, 255, 25));
  p.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
  p.setBrush(face);
  p.drawRoundedRect(frame, 3, 3);
  p.restore();
}

void DrawPinShape(QPainter& p, QPointF o, const QColor& head, const QColor& needle) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(o + QPointF(7, 7));
  p.rotate(35);  // a thumbtack leaning to the right, its needle down and left
  p.translate(-7, -7);
  p.setPen(QPen(needle, 1.3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(7, 9), QPointF(7, 13.6));
  p.setPen(Qt::NoPen);
  p.setBrush(head);
  p.drawRoundedRect(QRectF(3.6, 0.6, 6.8, 2.8), 1.2, 1.2);  // cap
  QPainterPath neck;
  neck.moveTo(5.3, 3.2);
  neck.lineTo(8.7, 3.2);
  neck.lineTo(8.2, 7.2);
  neck.lineTo(5.8, 7.2);
  neck.closeSubpath();
  p.setBrush(head.darker(118));
  p.drawPath(neck);
  p.setBrush(head);
  p.drawRoundedRect(QRectF(2.6, 6.6, 8.8, 2.6), 1.2, 1.2);  // collar
  p.setBrush(QColor(255, 255, 255, 110));
  p.drawRect(QRectF(4.6, 1.1, 2.2, 1.2));
  p.restore();
}

void DrawStripGlyph(QPainter& p, double left, StripGlyph glyph, const QColor& c) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(left + 8.0, 9.0);
  switch (glyph) {
    case StripGlyph::kHelp:
      DrawLabel(p, QRectF(left, 1, 16, 16), QStringLiteral("?"), UiFont(12, true), c,
                Qt::AlignHCenter);
      break;
    case StripGlyph::kPin:
      DrawPinShape(p, QPointF(left + 1, 2), c, c);
      break;
    case StripGlyph::kMinimize:
      p.fillRect(QRectF(centre.x() - 4, 12, 8, 2), c);
      break;
    case StripGlyph::kClose:
      p.setPen(QPen(c, 1.8, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(centre + QPointF(-3.5, -3.5), centre + QPointF(3.5, 3.5));
      p.drawLine(centre + QPointF(3.5, -3.5), centre + QPointF(-3.5, 3.5));
      break;
  }
  p.restore();
}

void DrawPill(QPainter& p, const QRectF& rect, const QString& label, const QFont& font,
              bool primary, double corner) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = rect.adjusted(0.5, 0.5, -0.5, -0.5);
  const double radius = corner < 0 ? r.height() / 2.0 : corner;
  // A soft drop shadow one pixel down.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x16, 0x4A, 0x8C, 40));
  p.drawRoundedRect(r.translated(0, 1), radius, radius);
  QLinearGradient face(r.topLeft(), r.bottomLeft());
  if (primary) {
    face.setColorAt(0.0, QColor(0x5C, 0xA9, 0xF0));
    face.setColorAt(1.0, QColor(0x22, 0x65, 0xC0));
    p.setPen(QPen(QColor(0x1A, 0x52, 0xA4), 1.0));
  } else {
    face.setColorAt(0.0, colour::kButtonTop);
    face.setColorAt(1.0, colour::kButtonBottom);
    p.setPen(QPen(colour::kButtonEdge, 1.0));
  }
  p.setBrush(face);
  p.drawRoundedRect(r, radius, radius);
  // Gloss on the upper half.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, primary ? 55 : 120));
  p.drawRoundedRect(QRectF(r.left() + 2, r.top() + 1, r.width() - 4, r.height() / 2 - 1),
                    std::max(radius - 2, 1.0), std::max(radius - 2, 1.0));
  p.restore();
  DrawLabel(p, rect, label, font, primary ? Qt::white : colour::kInk, Qt::AlignHCenter);
}

}  // namespace quarnel::art
