#ifndef QUARNEL_UI_QT_WINDOW_SERVICES_H_
#define QUARNEL_UI_QT_WINDOW_SERVICES_H_

#include <string_view>

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include "platform/env.h"
#include "ui/rules/geometry.h"

namespace quarnel {

// The window rules' rectangles and texts as Qt takes them.
inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }
inline QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Pins a top-level window above all ordinary windows (on) or returns it to
// the normal band (off). The native window is switched in place: it is
// neither destroyed nor re-created and keeps its position and size. Creates
// the native window first when it does not exist yet (a window not shown).
void SetTopmost(QWidget* window, bool on);

// Whether the window is in the keep-on-top band.
bool IsTopmost(const QWidget* window);

// Moves a captionless window by its face, as a press on a caption bar would.
// The window system's own move is used where it has one; elsewhere the
// window follows the mouse until the button is released.
class CaptionDrag {
 public:
  // Call from the window's mouse-press handler.
  void Start(QWidget* window, QPoint global_press);
  // Call from the window's mouse-move and mouse-release handlers.
  void MouseMoved(QPoint global_pos);
  void Released() { window_.clear(); }

 private:
  QPointer<QWidget> window_;  // set while the window follows the mouse
  QPoint offset_;             // from the pointer to the window's corner
};

// The shell's "open": hands a document or an address (a web page, a
// "mailto:" text) to the program the desktop associates with it. The
// result is not examined.
void ShellOpen(const QString& target);

// Opens "readme.htm": the one beside the program, else the installed one
// ($datadir/quarnel).
void OpenReadme(Env& env);

// Shows the window's mouse pointer: LinkPointer over hot spots, the arrow
// elsewhere.
void ShowPointer(QWidget* window, Pointer pointer);

// A modal information box titled "Quarnel" with an OK button; returns when
// the user dismisses it.
void ShowInformation(QWidget* owner, const QString& text);

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_WINDOW_SERVICES_H_
