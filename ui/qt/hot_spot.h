#ifndef QUARNEL_UI_QT_HOT_SPOT_H_
#define QUARNEL_UI_QT_HOT_SPOT_H_

#include <QWidget>

namespace quarnel {

// An invisible rectangle over a drawn button: it paints nothing and only
// reports clicks and mouse moves. It takes no drops, so files dropped on it
// reach the window beneath. The window's pointer shows through it.
class HotSpot : public QWidget {
  Q_OBJECT

 public:
  // `index` is the member of a control array, or -1.
  HotSpot(const QString& name, int index, const QRect& rect, QWidget* parent);

  int index() const { return index_; }

 signals:
  void clicked(int index);
  void hovered(int index);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  int index_;
  bool pressed_ = false;
};

// The object name of a control: "Image1" for a lone control, "Image1(2)" for
// member 2 of a control array.
QString ControlName(const QString& name, int index);

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_HOT_SPOT_H_
