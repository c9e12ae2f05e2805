#include "ui/qt/boxes.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/rules/list_editing.h"

namespace quarnel {
namespace {

void SetBase(QWidget* box, Rgb colour) {
  QPalette palette = box->palette();
  const QColor base(colour.red, colour.green, colour.blue);
  if (palette.color(QPalette::Base) == base) return;
  palette.setColor(QPalette::Base, base);
  box->setPalette(palette);
}

void SetWeight(QWidget* box, bool bold) {
  if (box->font().bold() == bold) return;
  QFont font = box->font();
  font.setBold(bold);
  box->setFont(font);
}

// A box's font: a Japanese face small enough for three rows of a 38-pixel
// list box.
QFont BoxFont() {
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(11);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace

int RuleKeyCode(int qt_key) {
  switch (qt_key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Delete:
      return kKeyDelete;
    default:
      return 0;
  }
}

ListBoxWidget::ListBoxWidget(const QString& name, const QRect& rect, QWidget* parent)
    : QListWidget(parent) {
  setObjectName(name);
  setGeometry(rect);
  setFont(BoxFont());
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSortingEnabled(false);
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setTextElideMode(Qt::ElideNone);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  viewport()->setCursor(Qt::ArrowCursor);  // list boxes keep their own pointer
  setFocusPolicy(Qt::StrongFocus);
}

std::string ListBoxWidget::Item(int position) const { return item(position)->text().toStdString(); }

void ListBoxWidget::Append(const std::string& text) {
  auto* entry = new QListWidgetItem(QString::fromStdString(text));
  entry->setSizeHint(QSize(0, 11));
  addItem(entry);
}

void ListBoxWidget::Remove(int position) { delete takeItem(position); }

int ListBoxWidget::Selected() const {
  const QListWidgetItem* current = currentItem();
  return current != nullptr && current->isSelected() ? currentRow() : kNoSelection;
}

void ListBoxWidget::Select(int position) {
  if (position == kNoSelection) {
    clearSelection();
    setCurrentRow(-1);
  } else {
    setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
  }
}

void ListBoxWidget::SetBackground(Rgb colour) { SetBase(this, colour); }
void ListBoxWidget::SetBold(bool bold) { SetWeight(this, bold); }

void ListBoxWidget::keyPressEvent(QKeyEvent* event) {
  emit keyDown();  // copies the selection as it was before the key moved it
  QListWidget::keyPressEvent(event);
}

void ListBoxWidget::keyReleaseEvent(QKeyEvent* event) {
  QListWidget::keyReleaseEvent(event);
  // A held key repeats presses; it is released once.
  if (!event->isAutoRepeat()) emit keyUp(RuleKeyCode(event->key()));
}

void ListBoxWidget::mousePressEvent(QMouseEvent* event) {
  QListWidget::mousePressEvent(event);
  emit mouseDown();
}

void ListBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  emit mouseUp();
}

void ListBoxWidget::mouseMoveEvent(QMouseEvent* event) {
  QListWidget::mouseMoveEvent(event);
  emit hovered();
}

TextBoxWidget::TextBoxWidget(const QString& name, const QRect& rect, QWidget* parent)
    : QLineEdit(parent) {
  setObjectName(name);
  setGeometry(rect);
  setFont(BoxFont());
  setTextMargins(1, 0, 1, 0);
  setMouseTracking(true);
}

void TextBoxWidget::SetBackground(Rgb colour) { SetBase(this, colour); }
void TextBoxWidget::SetBold(bool bold) { SetWeight(this, bold); }

void TextBoxWidget::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) emit keyUp(RuleKeyCode(event->key()));
}

void TextBoxWidget::mouseMoveEvent(QMouseEvent* event) {
  QLineEdit::mouseMoveEvent(event);
  emit hovered();
}

}  // namespace quarnel
