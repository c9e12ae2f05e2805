#include "ui/qt/ver_frm.h"

#include <QMouseEvent>
#include <QPainter>

#include "base/product.h"
#include "ui/qt/art_pictures.h"
#include "ui/qt/hot_spot.h"
#include "ui/qt/window_services.h"

namespace quarnel {

VerFrm::VerFrm(const MainWindowPin& main_window, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), rules_(*this) {
  setObjectName(QStringLiteral("VerFrm"));
  setWindowTitle(FromView(kVerFrmCaption));
  setWindowIcon(QuarnelIcon());
  setFixedSize(kVerFrmSize.width, kVerFrmSize.height);
  setMouseTracking(true);
  setModal(true);

  for (int index = 0; index < static_cast<int>(kVerFrmHotSpots.size()); ++index) {
    auto* spot =
        new HotSpot(QStringLiteral("Image1"), index, ToQRect(kVerFrmHotSpots[index]), this);
    connect(spot, &HotSpot::clicked, this, [this](int i) { rules_.ClickHotSpot(i); });
    connect(spot, &HotSpot::hovered, this, [this] { rules_.MouseMoveOnHotSpot(); });
  }
  auto* label = new VersionLabel(this);
  connect(label, &VersionLabel::clicked, this, [this] { rules_.ClickLabel1(); });

  rules_.Load(main_window);
}

void VerFrm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), ArtPixmap(QStringLiteral("verfrm_art"), devicePixelRatioF()));
}

void VerFrm::mousePressEvent(QMouseEvent* event) {
  // No move by dragging here: a press only starts a click.
  pressed_ = true;
  event->accept();
}

void VerFrm::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton) rules_.MouseMoveOnBackground();
}

void VerFrm::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) rules_.ClickBackground();
}

void VerFrm::SetTopmost(bool on) { quarnel::SetTopmost(this, on); }
void VerFrm::OpenAddress(std::string_view address) { ShellOpen(FromView(address)); }
void VerFrm::ShowInformation(std::string_view text) {
  quarnel::ShowInformation(this, FromView(text));
}

void VerFrm::SetPointer(Pointer pointer) { ShowPointer(this, pointer); }

VersionLabel::VersionLabel(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("Label1"));
  setGeometry(ToQRect(kVerFrmLabel1));
  setText(FromView(kVersionText));
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(12);
  font.setBold(true);
  setFont(font);
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, QColor(kVersionTextColour.red, kVersionTextColour.green,
                                                kVersionTextColour.blue));
  setPalette(palette);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setAttribute(Qt::WA_NoMousePropagation);
  setMouseTracking(true);
}

void VersionLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = true;
  event->accept();
}

void VersionLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

}  // namespace quarnel
