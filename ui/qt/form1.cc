#include "ui/qt/form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWindow>

#include "ui/qt/art_pictures.h"
#include "ui/qt/hot_spot.h"
#include "ui/qt/indicator_picture.h"
#include "ui/qt/problem_notice.h"
#include "ui/qt/set_frm.h"
#include "ui/qt/ver_frm.h"

namespace quarnel {

QStringList DroppedPaths(const QMimeData* data) {
  QStringList paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.append(QDir::toNativeSeparators(url.toLocalFile()));
  }
  return paths;
}

Form1::Form1(Session& session, QWidget* parent)
    : QWidget(parent), session_(session), rules_(*this, *this), run_(session, *this) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(FromView(kForm1Caption));
  setWindowIcon(QuarnelIcon());
  setFixedSize(kForm1Size.width, kForm1Size.height);
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint);
  setAcceptDrops(true);
  setMouseTracking(true);

  for (const MainHotArea& area : kForm1HotAreas) {
    auto* spot = new HotSpot(QStringLiteral("Image1"), area.index, ToQRect(area.rect), this);
    connect(spot, &HotSpot::clicked, this, [this](int index) { rules_.ClickHotArea(index); });
    connect(spot, &HotSpot::hovered, this, [this] { rules_.MouseMoveOnHotArea(); });
  }
  // Above hot area 5, so a click on it reaches the indicator.
  picture1_ = new IndicatorPicture(QStringLiteral("Picture1"), QStringLiteral("pin"),
                                   ToQRect(kForm1Picture1), this);
  picture1_->setFocusPolicy(Qt::NoFocus);
  // Part of the pin button: moves over it keep the hot area's pointer.
  picture1_->setAttribute(Qt::WA_NoMousePropagation);
  connect(picture1_, &IndicatorPicture::clicked, this, [this] { rules_.ClickPicture1(); });
}

Form1::~Form1() = default;

bool Form1::PinShown() const { return picture1_->Shown(); }
void Form1::SetPinShown(bool shown) { picture1_->SetShown(shown); }
void Form1::SetTopmost(bool on) { quarnel::SetTopmost(this, on); }

void Form1::ProcessDrop(const QStringList& paths) {
  std::vector<std::string> names;
  for (const QString& path : paths) names.push_back(QFile::encodeName(path).toStdString());
  run_.Drop(names);
}

void Form1::PaintDuringDrop() {
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Form1::TellProblems(const std::string& summary, const std::vector<std::string>& details) {
  ShowProblems(this, summary, details);
}

void Form1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), ArtPixmap(QStringLiteral("form1_skin"), devicePixelRatioF()));
  if (run_.DropCountVisible()) DrawDropCount(painter);
}

void Form1::DrawDropCount(QPainter& painter) const {
  const QString text = QString::fromStdString(run_.DropCount());
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(kDropBadgeFontPixels);
  font.setBold(true);
  const QRect badge =
      ToQRect(DropBadgePlace(QFontMetrics(font).horizontalAdvance(text), [](int n) { return n; }));
  const auto colour = [](Rgb c, int alpha = 255) { return QColor(c.red, c.green, c.blue, alpha); };
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour(kDropBadgeBorder), 1.0));
  painter.setBrush(colour(kDropBadgeFill, 230));  // the skin shows through a little
  painter.drawRoundedRect(QRectF(badge).adjusted(0.5, 0.5, -0.5, -0.5), kDropBadgeCornerRadius,
                          kDropBadgeCornerRadius);
  painter.setFont(font);
  painter.setPen(colour(kDropBadgeText));
  painter.drawText(badge, Qt::AlignCenter, text);
  painter.restore();
}

void Form1::mousePressEvent(QMouseEvent* event) {
  // Any button on the face moves the window (hot areas take their own).
  press_global_ = event->globalPosition().toPoint();
  rules_.MouseDownOnFace();
  event->accept();
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() != Qt::NoButton) {
    caption_drag_.MouseMoved(event->globalPosition().toPoint());
  } else {
    rules_.MouseMoveOnFace();
  }
}

void Form1::mouseReleaseEvent(QMouseEvent*) { caption_drag_.Released(); }

void Form1::dragEnterEvent(QDragEnterEvent* event) {
  if (!run_.dropping() && !DroppedPaths(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
  if (!run_.dropping() && !DroppedPaths(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
  // The hot areas take no drops, so a drop on one arrives here too.
  const QStringList paths = DroppedPaths(event->mimeData());
  if (paths.isEmpty() || run_.dropping()) return;  // no files: nothing to do
  event->acceptProposedAction();
  ProcessDrop(paths);
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  rules_.WindowPlacementChanged();
}

void Form1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (isVisible()) rules_.WindowPlacementChanged();
}

void Form1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) rules_.WindowPlacementChanged();
}

void Form1::closeEvent(QCloseEvent* event) {
  // A close from the taskbar during a drop waits for the drop to end.
  if (run_.CloseRequested()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void Form1::OpenSettingsWindow() {
  SetFrm window(session_.env(), session_.settings(), *this, this);
  window.exec();
}

void Form1::OpenAboutWindow() {
  VerFrm window(*this, this);
  window.exec();
}

void Form1::SetPointer(Pointer pointer) { ShowPointer(this, pointer); }

}  // namespace quarnel
