#ifndef QUARNEL_UI_QT_BOXES_H_
#define QUARNEL_UI_QT_BOXES_H_

#include <QLineEdit>
#include <QListWidget>

#include "ui/rules/controls.h"

namespace quarnel {

// The key code the window rules see for a Qt key: kKeyEnter for Return and
// Enter, kKeyDelete for Delete, 0 for every other key.
int RuleKeyCode(int qt_key);

// A list box of the settings window: single selection, no sorting, a
// vertical scroll bar when needed. It reports key and mouse events for the
// rules: key down before the key moves the selection, everything else after.
class ListBoxWidget : public QListWidget, public ListBox {
  Q_OBJECT

 public:
  ListBoxWidget(const QString& name, const QRect& rect, QWidget* parent);

  int Count() const override { return count(); }
  std::string Item(int position) const override;
  void Append(const std::string& item) override;
  void Remove(int position) override;
  void Clear() override { clear(); }
  int Selected() const override;
  void Select(int position) override;
  void SetBackground(Rgb colour) override;
  void SetBold(bool bold) override;
  void TakeFocus() override { setFocus(Qt::MouseFocusReason); }

 signals:
  void keyDown();
  void keyUp(int key_code);
  void mouseDown();
  void mouseUp();
  void hovered();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
};

// An entry line of the settings window: one line, no length limit.
class TextBoxWidget : public QLineEdit, public TextBox {
  Q_OBJECT

 public:
  TextBoxWidget(const QString& name, const QRect& rect, QWidget* parent);

  std::string Text() const override { return text().toStdString(); }
  void SetText(const std::string& text) override { setText(QString::fromStdString(text)); }
  void SetBackground(Rgb colour) override;
  void SetBold(bool bold) override;
  void TakeFocus() override { setFocus(Qt::MouseFocusReason); }

 signals:
  void keyUp(int key_code);
  void hovered();

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_QT_BOXES_H_
