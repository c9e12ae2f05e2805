#include "ui/qt/set_frm.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/qt/art_pictures.h"
#include "ui/qt/boxes.h"
#include "ui/qt/hot_spot.h"
#include "ui/qt/indicator_picture.h"

namespace quarnel {

SetFrm::SetFrm(Env& env, Settings& settings, MainWindowPin& main_window, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), env_(env) {
  setObjectName(QStringLiteral("SetFrm"));
  setWindowTitle(FromView(kSetFrmCaption));
  setWindowIcon(QuarnelIcon());
  setFixedSize(kSetFrmSize.width, kSetFrmSize.height);
  setMouseTracking(true);
  setModal(true);
  CreateControls();

  SetFrmControls controls;
  for (int n = 0; n < 5; ++n) controls.picture[n] = picture_[n];
  for (int i = 0; i < 3; ++i) {
    controls.list1[i] = list1_[i];
    controls.text1[i] = text1_[i];
  }
  rules_.emplace(controls, static_cast<SetFrmWindow&>(*this), main_window, settings);
  rules_->Build();
  rules_->Load();
  list1_[0]->setFocus();
}

SetFrm::~SetFrm() = default;

void SetFrm::CreateControls() {
  for (const ControlPlace& place : kSetFrmControls) {
    const QString name = QString::fromUtf8(place.name.data(), place.name.size());
    const QRect rect = ToQRect(place.rect);
    const SetFrmControl control = place.control;
    const int i = place.index;
    switch (place.kind) {
      case ControlKind::kHotSpot: {
        auto* spot = new HotSpot(name, i, rect, this);
        connect(spot, &HotSpot::clicked, this, [this, control, i] { rules_->Click(control, i); });
        connect(spot, &HotSpot::hovered, this,
                [this, control, i] { rules_->MouseMove(control, i); });
        break;
      }
      case ControlKind::kIndicator: {
        auto* picture = new IndicatorPicture(name, FromView(IndicatorArt(control)), rect, this);
        // Indicators have no hover effect: moves over them stop there.
        picture->setAttribute(Qt::WA_NoMousePropagation);
        connect(picture, &IndicatorPicture::clicked, this,
                [this, control] { rules_->Click(control); });
        picture_[PictureNumber(control) - 1] = picture;
        break;
      }
      case ControlKind::kListBox: {
        auto* list = new ListBoxWidget(ControlName(name, i), rect, this);
        connect(list, &ListBoxWidget::keyDown, this, [this, i] { rules_->ListKeyDown(i); });
        connect(list, &ListBoxWidget::keyUp, this,
                [this, i](int key) { rules_->ListKeyUp(i, key); });
        connect(list, &ListBoxWidget::mouseDown, this, [this, i] { rules_->ListMouseDown(i); });
        connect(list, &ListBoxWidget::mouseUp, this, [this, i] { rules_->ListMouseUp(i); });
        connect(list, &ListBoxWidget::hovered, this,
                [this, i] { rules_->MouseMove(SetFrmControl::kList1, i); });
        list1_[i] = list;
        break;
      }
      case ControlKind::kTextBox: {
        auto* text = new TextBoxWidget(ControlName(name, i), rect, this);
        connect(text, &TextBoxWidget::keyUp, this,
                [this, i](int key) { rules_->TextKeyUp(i, key); });
        connect(text, &TextBoxWidget::hovered, this,
                [this, i] { rules_->MouseMove(SetFrmControl::kText1, i); });
        text1_[i] = text;
        break;
      }
    }
  }
  QWidget* previous = nullptr;
  for (const FocusStop& stop : kSetFrmTabOrder) {
    QWidget* next = FocusStopWidget(stop);
    if (previous != nullptr) setTabOrder(previous, next);
    previous = next;
  }
}

QWidget* SetFrm::FocusStopWidget(const FocusStop& stop) const {
  switch (stop.control) {
    case SetFrmControl::kList1:
      return list1_[stop.index];
    case SetFrmControl::kText1:
      return text1_[stop.index];
    default:
      return picture_[PictureNumber(stop.control) - 1];
  }
}

void SetFrm::SetPointer(Pointer pointer) { ShowPointer(this, pointer); }

void SetFrm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), ArtPixmap(QStringLiteral("setfrm_skin"), devicePixelRatioF()));
}

void SetFrm::mousePressEvent(QMouseEvent* event) {
  // The whole skin acts as a caption bar.
  press_global_ = event->globalPosition().toPoint();
  rules_->BackgroundMouseDown();
  event->accept();
}

void SetFrm::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() != Qt::NoButton) {
    caption_drag_.MouseMoved(event->globalPosition().toPoint());
  } else {
    rules_->MouseMove(SetFrmControl::kBackground);
  }
}

void SetFrm::mouseReleaseEvent(QMouseEvent*) { caption_drag_.Released(); }

}  // namespace quarnel
