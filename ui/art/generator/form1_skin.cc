// The main window's face: title strip with four small buttons, a drop zone,
// and the settings and about buttons along the bottom.

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "ui/art/generator/paint_kit.h"
#include "ui/art/generator/pictures.h"
#include "ui/rules/main_window_rules.h"

namespace quarnel::art {
namespace {

constexpr double kStripHeight = 19;

// A sheet of paper with a folded corner and an arrow coming down onto it.
void DrawDropGlyph(QPainter& p, QPointF o) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(o);
  QPainterPath sheet;
  sheet.moveTo(4, 10);
  sheet.lineTo(26, 10);
  sheet.lineTo(34, 18);
  sheet.lineTo(34, 50);
  sheet.lineTo(4, 50);
  sheet.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1B, 0x4B, 0x9B, 30));
  p.drawPath(sheet.translated(1.5, 2));
  QLinearGradient paper(0, 10, 0, 50);
  paper.setColorAt(0, Qt::white);
  paper.setColorAt(1, QColor(0xE4, 0xF3, 0xFC));
  p.setBrush(paper);
  p.setPen(QPen(colour::kAccent, 1.4));
  p.drawPath(sheet);
  QPainterPath fold;
  fold.moveTo(26, 10);
  fold.lineTo(26, 18);
  fold.lineTo(34, 18);
  p.setBrush(QColor(0xCC, 0xE6, 0xFA));
  p.drawPath(fold);
  // "Text" lines on the page, getting shorter: a page being slimmed down.
  p.setPen(QPen(QColor(0x8C, 0xBE, 0xEA), 2.0, Qt::SolidLine, Qt::RoundCap));
  const double lengths[] = {18, 14, 20, 10};
  for (int i = 0; i < 4; ++i)
    p.drawLine(QPointF(9, 25 + i * 6.0), QPointF(9 + lengths[i], 25 + i * 6.0));
  // The arrow.
  QPainterPath arrow;
  arrow.moveTo(41, 0);
  arrow.lineTo(47, 0);
  arrow.lineTo(47, 14);
  arrow.lineTo(52, 14);
  arrow.lineTo(44, 24);
  arrow.lineTo(36, 14);
  arrow.lineTo(41, 14);
  arrow.closeSubpath();
  QLinearGradient fill(0, 0, 0, 24);
  fill.setColorAt(0, QColor(0x6F, 0xC3, 0xF5));
  fill.setColorAt(1, QColor(0x1E, 0x6E, 0xCF));
  p.setBrush(fill);
  p.setPen(QPen(QColor(0x17, 0x55, 0xA8), 1.0));
  p.drawPath(arrow);
  p.restore();
}

void DrawDropZone(QPainter& p) {
  const QRectF zone(8.5, 27.5, 283, 94);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient glow(zone.center(), zone.width() * 0.6);
  glow.setColorAt(0.0, QColor(255, 255, 255, 200));
  glow.setColorAt(1.0, QColor(255, 255, 255, 70));
  p.setBrush(glow);
  QPen dash(QColor(0x5B, 0x9E, 0xDC), 1.2, Qt::DashLine, Qt::RoundCap);
  dash.setDashPattern({4, 3});
  p.setPen(dash);
  p.drawRoundedRect(zone, 9, 9);
  p.restore();

  DrawDropGlyph(p, QPointF(22, 43));
  DrawLabel(p, QRectF(86, 42, 200, 20), QStringLiteral("HTMLファイルやフォルダを"),
            UiFont(14, true), colour::kInk);
  DrawLabel(p, QRectF(86, 62, 200, 20), QStringLiteral("ここへドロップ！"), UiFont(14, true),
            colour::kInk);
  DrawLabel(p, QRectF(87, 86, 200, 14), QStringLiteral("その場でサイズを小さくします"), UiFont(10),
            colour::kInkSoft);
  DrawLabel(p, QRectF(87, 101, 200, 14), QStringLiteral(".htm  .html  .shtml"), UiFont(10),
            colour::kInkSoft);
}

void DrawBottomButtons(QPainter& p) {
  const QFont font = UiFont(11, true);
  DrawPill(p, ToRectF(kForm1HotAreas[0].rect), QStringLiteral("設定  Settings"), font);
  DrawPill(p, ToRectF(kForm1HotAreas[1].rect), QStringLiteral("バージョン情報  About"), font);
}

}  // namespace

void DrawForm1Skin(QPainter& p) {
  const QRectF all(0, 0, kForm1Size.width, kForm1Size.height);
  DrawFace(p, all);
  DrawTitleStrip(p, all.width(), kStripHeight);
  DrawLabel(p, QRectF(7, 0, 120, kStripHeight), QStringLiteral("Quarnel 2"), UiFont(12, true),
            Qt::white);
  DrawLabel(p, QRectF(76, 0, 110, kStripHeight), QStringLiteral("HTML スリム化ツール"), UiFont(10),
            QColor(255, 255, 255, 200));

  struct Button {
    int index;
    StripGlyph glyph;
  };
  const Button buttons[] = {{4, StripGlyph::kHelp},
                            {5, StripGlyph::kPin},
                            {2, StripGlyph::kMinimize},
                            {3, StripGlyph::kClose}};
  for (const Button& b : buttons) {
    const double left = kForm1HotAreas[b.index].rect.left;
    DrawStripButton(p, left);
    // The pin drawn here is the unpinned one; Picture1 covers it when pinned.
    const QColor ink = b.glyph == StripGlyph::kPin ? QColor(255, 255, 255, 120) : Qt::white;
    DrawStripGlyph(p, left, b.glyph, ink);
  }

  DrawDropZone(p);
  DrawBottomButtons(p);

  p.setPen(QPen(colour::kEdge, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace quarnel::art
