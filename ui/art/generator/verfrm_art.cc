// The about window's artwork: product name, major version, credits, the
// home-page banner, the UPDATE and POST MAIL captions and the close cross,
// each under the hot spot that takes its click.

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "ui/art/generator/paint_kit.h"
#include "ui/art/generator/pictures.h"
#include "ui/rules/about_window_rules.h"

namespace quarnel::art {
namespace {

const Rect& kBanner = kVerFrmHotSpots[0];
const Rect& kPostMail = kVerFrmHotSpots[1];
const Rect& kCross = kVerFrmHotSpots[2];
const Rect& kUpdate = kVerFrmHotSpots[3];

void DrawBackdrop(QPainter& p) {
  const QRectF all(0, 0, kVerFrmSize.width, kVerFrmSize.height);
  QLinearGradient sky(0, 0, 0, all.height());
  sky.setColorAt(0.0, QColor(0xFF, 0xFF, 0xFF));
  sky.setColorAt(0.55, QColor(0xE2, 0xF7, 0xF7));
  sky.setColorAt(1.0, QColor(0xB9, 0xE6, 0xEB));
  p.fillRect(all, sky);
  // Two soft sweeps across the lower half.
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  QPainterPath wave;
  wave.moveTo(0, 190);
  wave.cubicTo(80, 160, 180, 215, 300, 175);
  wave.lineTo(300, 300);
  wave.lineTo(0, 300);
  wave.closeSubpath();
  p.setBrush(QColor(0x2E, 0x86, 0xDE, 22));
  p.drawPath(wave);
  QPainterPath wave2;
  wave2.moveTo(0, 230);
  wave2.cubicTo(90, 205, 200, 250, 300, 222);
  wave2.lineTo(300, 300);
  wave2.lineTo(0, 300);
  wave2.closeSubpath();
  p.setBrush(QColor(0x2E, 0x86, 0xDE, 26));
  p.drawPath(wave2);
  p.restore();
}

void DrawProductName(QPainter& p) {
  QFont name = DisplayFont(58, true);
  name.setLetterSpacing(QFont::PercentageSpacing, 96);
  QPainterPath text;
  text.addText(QPointF(20, 70), name, QStringLiteral("Quarnel"));
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x0E, 0x35, 0x75, 45));
  p.drawPath(text.translated(1.5, 2.0));
  QLinearGradient fill(0, 22, 0, 72);
  fill.setColorAt(0.0, QColor(0x4C, 0xB2, 0xF2));
  fill.setColorAt(1.0, QColor(0x17, 0x4C, 0xA6));
  p.setBrush(fill);
  p.drawPath(text);

  // The major version, large, under the name's right half.
  QPainterPath digit;
  digit.addText(QPointF(186, 128), DisplayFont(60, true), QStringLiteral("2."));
  p.setBrush(QColor(0x0E, 0x35, 0x75, 45));
  p.drawPath(digit.translated(1.5, 2.0));
  QLinearGradient warm(0, 80, 0, 130);
  warm.setColorAt(0.0, QColor(0x39, 0xC4, 0xD9));
  warm.setColorAt(1.0, QColor(0x16, 0x7F, 0xB5));
  p.setBrush(warm);
  p.drawPath(digit);
  p.restore();

  DrawLabel(p, QRectF(22, 84, 160, 14), QStringLiteral("HTML スリム化ツール"), UiFont(12, true),
            colour::kInk);
  DrawLabel(p, QRectF(22, 102, 160, 12), QStringLiteral("Shift-JIS / UTF-8 対応"), UiFont(10),
            colour::kInkSoft);
}

void DrawCredits(QPainter& p) {
  p.fillRect(QRectF(20, 143, 260, 1), QColor(0x2E, 0x86, 0xDE, 70));
  DrawLabel(p, QRectF(0, 150, 300, 14), QStringLiteral("Program & Design  ZENTHARO"),
            UiFont(11, true), colour::kInk, Qt::AlignHCenter);
  DrawLabel(p, QRectF(0, 167, 300, 14), QStringLiteral("Skin & Artwork  Zentharo Studio"),
            UiFont(11), colour::kInkSoft, Qt::AlignHCenter);
}

// A little globe for the banner.
void DrawGlobe(QPainter& p, QPointF c, double r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient sea(c + QPointF(-r / 3, -r / 3), r * 1.4);
  sea.setColorAt(0, QColor(0xB8, 0xEC, 0xFF));
  sea.setColorAt(1, QColor(0x2A, 0x8E, 0xDD));
  p.setPen(QPen(Qt::white, 1.4));
  p.setBrush(sea);
  p.drawEllipse(c, r, r);
  p.setPen(QPen(QColor(255, 255, 255, 190), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, r * 0.45, r);
  p.drawLine(c + QPointF(-r, 0), c + QPointF(r, 0));
  p.drawLine(c + QPointF(0, -r), c + QPointF(0, r));
  p.restore();
}

void DrawBanner(QPainter& p) {
  const QRectF r = QRectF(kBanner.left, kBanner.top, kBanner.width, kBanner.height - 4)
                       .adjusted(0.5, 0.5, -0.5, -0.5);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x0E, 0x35, 0x75, 50));
  p.drawRoundedRect(r.translated(1, 2), 8, 8);
  QLinearGradient fill(r.topLeft(), r.bottomRight());
  fill.setColorAt(0.0, QColor(0x27, 0x6C, 0xCE));
  fill.setColorAt(1.0, QColor(0x23, 0xB5, 0xC9));
  p.setPen(QPen(QColor(0x18, 0x4E, 0xA0), 1.0));
  p.setBrush(fill);
  p.drawRoundedRect(r, 8, 8);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 45));
  p.drawRoundedRect(QRectF(r.left() + 3, r.top() + 2, r.width() - 6, r.height() / 2 - 2), 6, 6);
  p.restore();
  DrawGlobe(p, QPointF(r.left() + 22, r.center().y()), 13);
  DrawLabel(p, QRectF(r.left() + 42, r.top() + 5, 150, 18), QStringLiteral("Quarnel Web Site"),
            UiFont(14, true), Qt::white);
  DrawLabel(p, QRectF(r.left() + 43, r.top() + 25, 150, 13),
            QStringLiteral("最新情報はホームページで ▶"), UiFont(10), QColor(0xE8, 0xF8, 0xFF));
}

// The app's page: the icon drawn large, left of the banner.
void DrawEmblem(QPainter& p) {
  p.save();
  p.translate(22, 207);
  p.scale(1.5, 1.5);
  DrawAppIcon(p);
  p.restore();
}

void DrawLinkCaption(QPainter& p, const Rect& at, const QString& text) {
  const QFont font = UiFont(10, true);
  DrawLabel(p, QRectF(at.left, at.top + 1, at.width, at.height), text, font, colour::kInk,
            Qt::AlignHCenter);
  const double width = QFontMetricsF(font).horizontalAdvance(text);
  const double left = at.left + (at.width - width) / 2.0;
  p.fillRect(QRectF(left, at.top + 14, width, 1), colour::kAccent);
}

void DrawCross(QPainter& p) {
  const QPointF c(kCross.left + kCross.width / 2.0, kCross.top + kCross.height / 2.0);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x5C, 0x97, 0xD8), 1.0));
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawEllipse(c, 7.5, 7.5);
  p.setPen(QPen(colour::kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
  p.drawLine(c + QPointF(3, -3), c + QPointF(-3, 3));
  p.restore();
}

}  // namespace

void DrawVerFrmArt(QPainter& p) {
  DrawBackdrop(p);
  DrawProductName(p);
  DrawCredits(p);
  DrawEmblem(p);
  DrawBanner(p);
  DrawLinkCaption(p, kUpdate, QStringLiteral("UPDATE"));
  DrawLinkCaption(p, kPostMail, QStringLiteral("POST MAIL"));
  DrawCross(p);
  DrawLabel(p, QRectF(0, 280, 300, 14), QStringLiteral("Thank you for using Quarnel!"), UiFont(9),
            colour::kInkSoft, Qt::AlignHCenter);
  const QRectF all(0, 0, kVerFrmSize.width, kVerFrmSize.height);
  p.setPen(QPen(colour::kEdge, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace quarnel::art
