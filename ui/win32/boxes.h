#ifndef QUARNEL_UI_WIN32_BOXES_H_
#define QUARNEL_UI_WIN32_BOXES_H_

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "platform/windows_include.h"
#include "ui/rules/controls.h"
#include "ui/rules/geometry.h"

namespace quarnel {

// What a box reports to its window for the rules. Key codes are the virtual
// keys, so Enter is kKeyEnter (13) and Delete kKeyDelete (46).
struct BoxEvents {
  std::function<void()> key_down;  // before the key moves the selection
  std::function<void(int key_code)> key_up;
  std::function<void()> mouse_down;  // after the list box has selected
  std::function<void()> mouse_up;
  std::function<void()> hovered;
};

// What the list and text boxes share: a real child control (LISTBOX or
// EDIT) of the settings window, subclassed to report its events, with the
// colour and weight the rules give it. The window answers
// WM_CTLCOLORLISTBOX and WM_CTLCOLOREDIT with Colour() and Brush().
class BoxControl {
 public:
  BoxControl() = default;
  BoxControl(const BoxControl&) = delete;
  BoxControl& operator=(const BoxControl&) = delete;
  virtual ~BoxControl();

  HWND hwnd() const { return window_; }
  COLORREF Colour() const { return colour_; }
  HBRUSH Brush() const { return brush_.get(); }
  void Layout(UINT dpi);

 protected:
  bool CreateControl(HWND parent, const wchar_t* window_class, DWORD style, const Rect& place,
                     int id, BoxEvents events);
  void ChangeBackground(Rgb colour);
  void ChangeBold(bool bold);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR id, DWORD_PTR self);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const {
      if (object != nullptr) ::DeleteObject(object);
    }
  };
  HWND window_ = nullptr;
  Rect place_;
  BoxEvents events_;
  bool bold_ = false;
  COLORREF colour_ = RGB(255, 255, 255);
  std::unique_ptr<std::remove_pointer_t<HBRUSH>, DeleteGdiObject> brush_;
  std::unique_ptr<std::remove_pointer_t<HFONT>, DeleteGdiObject> font_;
};

// List1 (i): a LISTBOX with single selection, no sorting, a vertical
// scroll bar when needed.
class ListBoxControl final : public BoxControl, public ListBox {
 public:
  bool Create(HWND parent, const Rect& place, int id, BoxEvents events);

  int Count() const override;
  std::string Item(int position) const override;
  void Append(const std::string& item) override;
  void Remove(int position) override;
  void Clear() override;
  int Selected() const override;
  void Select(int position) override;
  void SetBackground(Rgb colour) override { ChangeBackground(colour); }
  void SetBold(bool bold) override;
  void TakeFocus() override { ::SetFocus(hwnd()); }
};

// Text1 (i): a one-line EDIT without a length limit.
class TextBoxControl final : public BoxControl, public TextBox {
 public:
  bool Create(HWND parent, const Rect& place, int id, BoxEvents events);

  std::string Text() const override;
  void SetText(const std::string& text) override;
  void SetBackground(Rgb colour) override { ChangeBackground(colour); }
  void SetBold(bool bold) override { ChangeBold(bold); }
  void TakeFocus() override { ::SetFocus(hwnd()); }
};

}  // namespace quarnel

#endif  // QUARNEL_UI_WIN32_BOXES_H_
