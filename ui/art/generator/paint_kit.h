#ifndef QUARNEL_UI_ART_GENERATOR_PAINT_KIT_H_
#define QUARNEL_UI_ART_GENERATOR_PAINT_KIT_H_

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "ui/rules/geometry.h"

namespace quarnel::art {

// The house colours of the three windows: pale turquoise faces, blue text,
// blue title strips.
namespace colour {
inline const QColor kFaceTop{0xE9, 0xFB, 0xFA};
inline const QColor kFaceBottom{0xC6, 0xEC, 0xEE};
inline const QColor kInk{0x1B, 0x4B, 0x9B};      // labels
inline const QColor kInkSoft{0x4A, 0x78, 0xB8};  // explanations
inline const QColor kStripTop{0x47, 0x9A, 0xE6};
inline const QColor kStripBottom{0x1E, 0x5B, 0xB3};
inline const QColor kEdge{0x23, 0x5E, 0xAE};  // window outline
inline const QColor kAccent{0x2E, 0x86, 0xDE};
inline const QColor kButtonTop{0xFF, 0xFF, 0xFF};
inline const QColor kButtonBottom{0xCF, 0xE9, 0xFA};
inline const QColor kButtonEdge{0x5C, 0x97, 0xD8};
inline const QColor kPin{0xE0, 0x3A, 0x3A};
}  // namespace colour

QRectF ToRectF(const Rect& r);

// The Japanese UI font (Noto Sans CJK JP, loaded from its file so that the
// pictures do not depend on the machine's font configuration).
QFont UiFont(double pixel_size, bool bold = false);
// A Latin display font for large lettering.
QFont DisplayFont(double pixel_size, bool bold = true);

// Loads the fonts; false when a font file is missing.
bool LoadFonts(QString* missing);

// Text drawn with its ink centred vertically on `rect`, aligned by `flags`
// horizontally.
void DrawLabel(QPainter& p, const QRectF& rect, const QString& text, const QFont& font,
               const QColor& colour, Qt::Alignment horizontal = Qt::AlignLeft);

// The vertical gradient face of a window with a one-pixel outline.
void DrawFace(QPainter& p, const QRectF& rect);

// The blue title strip along the top edge, `height` pixels tall.
void DrawTitleStrip(QPainter& p, double width, double height);

// A small square button in the title strip: 16 x 16 with its 14 x 14 face at
// (left + 1, 2). The glyph is drawn by the caller.
void DrawStripButton(QPainter& p, double left);
enum class StripGlyph { kHelp, kPin, kMinimize, kClose };
void DrawStripGlyph(QPainter& p, double left, StripGlyph glyph, const QColor& colour);

// A pill-shaped push button with its label centred. `radius` below 0 rounds
// the ends fully.
void DrawPill(QPainter& p, const QRectF& rect, const QString& label, const QFont& font,
              bool primary = false, double radius = -1);

// The pin drawn in a 14 x 14 square at `origin`.
void DrawPinShape(QPainter& p, QPointF origin, const QColor& head, const QColor& needle);

}  // namespace quarnel::art

#endif  // QUARNEL_UI_ART_GENERATOR_PAINT_KIT_H_
