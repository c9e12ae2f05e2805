// The settings window's skin: every label, option mark and button of the
// window, drawn under the hot spots and indicators that take their clicks.

#include <QLinearGradient>
#include <QPainterPath>

#include "ui/art/generator/paint_kit.h"
#include "ui/art/generator/pictures.h"
#include "ui/rules/settings_window_rules.h"

namespace quarnel::art {
namespace {

constexpr double kStripHeight = 19;

Rect PlaceOf(SetFrmControl control, int index = kLoneControl) {
  for (const ControlPlace& place : kSetFrmControls) {
    if (place.control == control && place.index == index) return place.rect;
  }
  return {};
}

void DrawWatermark(QPainter& p) {
  p.save();
  QFont font = DisplayFont(84, true);
  font.setItalic(true);
  font.setLetterSpacing(QFont::PercentageSpacing, 90);
  p.setFont(font);
  p.setPen(QColor(0x1B, 0x6E, 0xB8, 24));
  p.drawText(QPointF(104, 176), QStringLiteral("settings"));
  p.drawText(QPointF(142, 346), QStringLiteral("window"));
  p.restore();
}

// The outline of an option mark, under the indicator that fills it.
void DrawDiamondMark(QPainter& p, const Rect& at) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath diamond;
  diamond.moveTo(at.left + 6, at.top + 0.8);
  diamond.lineTo(at.left + 11.2, at.top + 6);
  diamond.lineTo(at.left + 6, at.top + 11.2);
  diamond.lineTo(at.left + 0.8, at.top + 6);
  diamond.closeSubpath();
  p.setPen(QPen(colour::kInk, 1.2));
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawPath(diamond);
  p.restore();
}

void DrawSquareMark(QPainter& p, const Rect& at) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(colour::kInk, 1.0));
  p.setBrush(QColor(255, 255, 255, 220));
  p.drawRoundedRect(QRectF(at.left + 0.5, at.top + 0.5, 11, 11), 1.5, 1.5);
  p.restore();
}

// A label whose first character is an option mark: the mark is drawn as a
// shape in the indicator's place, the rest as text after it.
void DrawOptionLabel(QPainter& p, const Rect& mark, double text_left, const QString& text) {
  DrawLabel(p, QRectF(text_left, mark.top, 160, 12), text, UiFont(12, true), colour::kInk);
}

void DrawTagLines(QPainter& p, double left, double top, const QStringList& lines) {
  const QFont font = UiFont(10);
  for (int i = 0; i < lines.size(); ++i) {
    DrawLabel(p, QRectF(left, top + i * 13.0, 150, 12), lines[i], font, colour::kInkSoft);
  }
}

void DrawSectionRule(QPainter& p, double left, double top, double width) {
  QLinearGradient rule(left, 0, left + width, 0);
  rule.setColorAt(0.0, QColor(0x2E, 0x86, 0xDE, 150));
  rule.setColorAt(1.0, QColor(0x2E, 0x86, 0xDE, 0));
  p.fillRect(QRectF(left, top, width, 1), rule);
}

// A caption above a list box, with a short accent bar in front.
void DrawListCaption(QPainter& p, const Rect& list, const QString& text) {
  p.fillRect(QRectF(list.left, list.top - 14, 3, 11), colour::kAccent);
  DrawLabel(p, QRectF(list.left + 6, list.top - 14, 150, 11), text, UiFont(11, true), colour::kInk);
}

// A faint shadow under a list box or text box, which draw their own frames.
void DrawBoxShadow(QPainter& p, const Rect& box) {
  p.fillRect(QRectF(box.left + 1, box.bottom(), box.width, 1), QColor(0x1B, 0x4B, 0x9B, 40));
  p.fillRect(QRectF(box.right(), box.top + 1, 1, box.height), QColor(0x1B, 0x4B, 0x9B, 40));
}

// The add and delete buttons of one list group. The entry line above covers
// the top two rows of their hot spots, so the buttons are drawn below it.
void DrawListButtons(QPainter& p, int group) {
  const QFont font = UiFont(10, true);
  const Rect add = PlaceOf(SetFrmControl::kImage4, group);
  const Rect del = PlaceOf(SetFrmControl::kImage5, group);
  DrawPill(p, QRectF(add.left, add.top + 3, add.width, add.height - 3), QStringLiteral("追加"),
           font, false, 4);
  DrawPill(p, QRectF(del.left, del.top + 3, del.width, del.height - 3), QStringLiteral("削除"),
           font, false, 4);
}

void DrawTitle(QPainter& p) {
  DrawTitleStrip(p, kSetFrmSize.width, kStripHeight);
  DrawLabel(p, QRectF(7, 0, 200, kStripHeight), QStringLiteral("Quarnel 2 -Settings"),
            UiFont(12, true), Qt::white);
  const double help = PlaceOf(SetFrmControl::kImage9).left;
  const double pin = PlaceOf(SetFrmControl::kPicture5).left - 1;  // face under Picture5
  const double close = PlaceOf(SetFrmControl::kImage1).left;
  DrawStripButton(p, help);
  DrawStripGlyph(p, help, StripGlyph::kHelp, Qt::white);
  DrawStripButton(p, pin);
  DrawStripGlyph(p, pin, StripGlyph::kPin, QColor(255, 255, 255, 120));
  DrawStripButton(p, close);
  DrawStripGlyph(p, close, StripGlyph::kClose, Qt::white);
}

void DrawModes(QPainter& p) {
  const Rect legible = PlaceOf(SetFrmControl::kPicture2);
  DrawLabel(p, QRectF(8, 24, 140, 12), QStringLiteral("圧縮モード"), UiFont(10), colour::kInkSoft);
  DrawSectionRule(p, 8, 37, 140);
  DrawDiamondMark(p, legible);
  DrawOptionLabel(p, legible, legible.left + 15, QStringLiteral("見やすさ優先"));
  DrawTagLines(p, 22, 60,
               {QStringLiteral("[タグ補正] [右スペース削除]"),
                QStringLiteral("[不要改行削除] [指定文削除]")});

  const Rect small = PlaceOf(SetFrmControl::kPicture3);
  DrawDiamondMark(p, small);
  DrawOptionLabel(p, small, small.left + 15, QStringLiteral("サイズ優先"));
  DrawTagLines(p, 22, 116,
               {QStringLiteral("[タグ補正] [右スペース削除]"),
                QStringLiteral("[左スペース削除] [不要改行削除]"),
                QStringLiteral("[タグ結合] [指定文削除]")});
}

void DrawSignatureSwitch(QPainter& p) {
  const Rect mark = PlaceOf(SetFrmControl::kPicture1);
  DrawLabel(p, QRectF(160, 24, 130, 12), QStringLiteral("オプション"), UiFont(10),
            colour::kInkSoft);
  DrawSectionRule(p, 160, 37, 130);
  DrawSquareMark(p, mark);
  // "□ Quarnel タグ追加": a blank between the mark and the words.
  DrawOptionLabel(p, mark, mark.left + 16, QStringLiteral("Quarnel タグ追加"));
  DrawLabel(p, QRectF(mark.left + 16, 56, 130, 12), QStringLiteral("ちょっとサイズ増えます"),
            UiFont(10), colour::kInkSoft);
}

void DrawLists(QPainter& p) {
  const Rect list0 = PlaceOf(SetFrmControl::kList1, 0);
  const Rect list1 = PlaceOf(SetFrmControl::kList1, 1);
  const Rect list2 = PlaceOf(SetFrmControl::kList1, 2);
  DrawListCaption(p, list0, QStringLiteral("削除したい文リスト"));
  DrawListCaption(p, list1, QStringLiteral("結合してもいいタグリスト"));
  for (int i = 0; i < 3; ++i) {
    DrawBoxShadow(p, PlaceOf(SetFrmControl::kList1, i));
    DrawBoxShadow(p, PlaceOf(SetFrmControl::kText1, i));
    DrawListButtons(p, i);
  }

  // 「□追加したい文リスト」: the head-insertion switch doubles as the caption
  // of the third list.
  const Rect mark = PlaceOf(SetFrmControl::kPicture4);
  DrawSectionRule(p, 8, 280, 140);
  DrawSquareMark(p, mark);
  DrawLabel(p, QRectF(mark.left + 14, mark.top, 120, 12), QStringLiteral("追加したい文リスト"),
            UiFont(11, true), colour::kInk);
  DrawLabel(p, QRectF(list2.right() + 8, list2.top + 2, 150, 12), QStringLiteral("<HEAD> の直後に"),
            UiFont(10), colour::kInkSoft);
  DrawLabel(p, QRectF(list2.right() + 8, list2.top + 15, 150, 12),
            QStringLiteral("この行を書き足します"), UiFont(10), colour::kInkSoft);
  (void)list1;
}

void DrawCloseButtons(QPainter& p) {
  const QFont font = UiFont(11, true);
  p.fillRect(QRectF(0, 399, kSetFrmSize.width, 1), QColor(0x2E, 0x86, 0xDE, 60));
  DrawPill(p, ToRectF(PlaceOf(SetFrmControl::kImage2)), QStringLiteral("変更して閉じる"), font,
           true);
  DrawPill(p, ToRectF(PlaceOf(SetFrmControl::kImage3)), QStringLiteral("変更しないで閉じる"), font);
}

}  // namespace

void DrawSetFrmSkin(QPainter& p) {
  const QRectF all(0, 0, kSetFrmSize.width, kSetFrmSize.height);
  DrawFace(p, all);
  DrawWatermark(p);
  DrawTitle(p);
  DrawModes(p);
  DrawSignatureSwitch(p);
  DrawLists(p);
  DrawCloseButtons(p);
  p.setPen(QPen(colour::kEdge, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace quarnel::art
