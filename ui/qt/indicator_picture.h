#ifndef QUARNEL_UI_QT_INDICATOR_PICTURE_H_
#define QUARNEL_UI_QT_INDICATOR_PICTURE_H_

#include <QWidget>

#include "ui/rules/controls.h"

namespace quarnel {

// A small picture over a drawn option mark, shown while its option is on.
// A click on it acts as one on the hot spot beneath.
class IndicatorPicture : public QWidget, public Indicator {
  Q_OBJECT

 public:
  // `picture` names one of the art pictures ("pin", "diamond", "square").
  IndicatorPicture(const QString& name, const QString& picture, const QRect& rect, QWidget* parent);

  bool Shown() const override { return !isHidden(); }
  void SetShown(bool shown) override { setVisible(shown); }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString picture_;
  bool pressed_ = false;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_INDICATOR_PICTURE_H_
