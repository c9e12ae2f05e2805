#ifndef QUARNEL_UI_ART_GENERATOR_PICTURES_H_
#define QUARNEL_UI_ART_GENERATOR_PICTURES_H_

#include <QPainter>

namespace quarnel::art {

// Each function draws one picture in its own pixel coordinates; the caller
// scales the painter for the double-density variant.
void DrawForm1Skin(QPainter& p);         // 300 x 150
void DrawSetFrmSkin(QPainter& p);        // 300 x 430
void DrawVerFrmArt(QPainter& p);         // 300 x 300
void DrawPinIndicator(QPainter& p);      // 14 x 14
void DrawDiamondIndicator(QPainter& p);  // 12 x 12
void DrawSquareIndicator(QPainter& p);   // 12 x 12
void DrawAppIcon(QPainter& p);           // 32 x 32

// The mouse pointer over hot spots, drawn pixel by pixel (1x only).
QImage LinkPointerImage();

}  // namespace quarnel::art

#endif  // QUARNEL_UI_ART_GENERATOR_PICTURES_H_
