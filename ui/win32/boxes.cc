#include "ui/win32/boxes.h"

#include <commctrl.h>

#include "platform/wide_text_windows.h"
#include "ui/win32/window_services.h"

namespace quarnel {
namespace {

// The boxes' font: a Japanese face small enough for three rows of a
// 38-pixel list box, as on the other platforms.
constexpr int kFontPixels = 11;
constexpr int kRowPixels = 11;

}  // namespace

BoxControl::~BoxControl() {
  if (window_ != nullptr) {
    ::RemoveWindowSubclass(window_, &BoxControl::SubclassProc, 0);
    ::DestroyWindow(window_);
  }
}

bool BoxControl::CreateControl(HWND parent, const wchar_t* window_class, DWORD style,
                               const Rect& place, int id, BoxEvents events) {
  place_ = place;
  events_ = std::move(events);
  const RECT r = ScaledRect(place, WindowDpi(parent));
  window_ = ::CreateWindowExW(
      WS_EX_CLIENTEDGE, window_class, L"", style | WS_CHILD | WS_VISIBLE | WS_TABSTOP, r.left,
      r.top, r.right - r.left, r.bottom - r.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) return false;
  ::SetWindowSubclass(window_, &BoxControl::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  brush_.reset(::CreateSolidBrush(colour_));
  ChangeBold(false);
  return true;
}

void BoxControl::Layout(UINT dpi) {
  const RECT r = ScaledRect(place_, dpi);
  ::MoveWindow(window_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  font_.reset();
  ChangeBold(bold_);
}

void BoxControl::ChangeBackground(Rgb colour) {
  const COLORREF wanted = RGB(colour.red, colour.green, colour.blue);
  if (wanted == colour_ && brush_) return;
  colour_ = wanted;
  brush_.reset(::CreateSolidBrush(colour_));
  ::InvalidateRect(window_, nullptr, TRUE);
}

void BoxControl::ChangeBold(bool bold) {
  if (bold == bold_ && font_) return;
  bold_ = bold;
  decltype(font_) font(MakeUiFont(Scaled(kFontPixels, WindowDpi(window_)), bold));
  ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_.swap(font);  // the old font goes once the control has let go of it
}

LRESULT CALLBACK BoxControl::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, &BoxControl::SubclassProc, 0);
    reinterpret_cast<BoxControl*>(self)->window_ = nullptr;
    return ::DefSubclassProc(window, message, wparam, lparam);
  }
  return reinterpret_cast<BoxControl*>(self)->Handle(message, wparam, lparam);
}

LRESULT BoxControl::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  const auto call = [](const auto& event, auto... arguments) {
    if (event) event(arguments...);
  };
  switch (message) {
    case WM_KEYDOWN:
      call(events_.key_down);
      break;
    case WM_CHAR:
      if (wparam == VK_RETURN) return 0;  // Enter acts on key up; no beep
      break;
    case WM_KEYUP: {
      const LRESULT result = ::DefSubclassProc(window_, message, wparam, lparam);
      call(events_.key_up, static_cast<int>(wparam));
      return result;
    }
    case WM_LBUTTONDOWN: {
      const LRESULT result = ::DefSubclassProc(window_, message, wparam, lparam);
      call(events_.mouse_down);
      return result;
    }
    case WM_LBUTTONUP: {
      const LRESULT result = ::DefSubclassProc(window_, message, wparam, lparam);
      call(events_.mouse_up);
      return result;
    }
    case WM_MOUSEMOVE: {
      const LRESULT result = ::DefSubclassProc(window_, message, wparam, lparam);
      call(events_.hovered);
      return result;
    }
    default:
      break;
  }
  return ::DefSubclassProc(window_, message, wparam, lparam);
}

bool ListBoxControl::Create(HWND parent, const Rect& place, int id, BoxEvents events) {
  if (!CreateControl(parent, L"LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, place, id,
                     std::move(events))) {
    return false;
  }
  ::SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, Scaled(kRowPixels, WindowDpi(parent)));
  return true;
}

void ListBoxControl::SetBold(bool bold) {
  ChangeBold(bold);
  // A new font resets the row height.
  ::SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, Scaled(kRowPixels, WindowDpi(hwnd())));
}

int ListBoxControl::Count() const {
  return static_cast<int>(::SendMessageW(hwnd(), LB_GETCOUNT, 0, 0));
}

std::string ListBoxControl::Item(int position) const {
  const LRESULT length = ::SendMessageW(hwnd(), LB_GETTEXTLEN, position, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied =
      ::SendMessageW(hwnd(), LB_GETTEXT, position, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return Utf8FromWide(text);
}

void ListBoxControl::Append(const std::string& item) {
  const std::wstring text = WideFromUtf8(item);
  ::SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ListBoxControl::Remove(int position) { ::SendMessageW(hwnd(), LB_DELETESTRING, position, 0); }
void ListBoxControl::Clear() { ::SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0); }

int ListBoxControl::Selected() const {
  const LRESULT selected = ::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? kNoSelection : static_cast<int>(selected);
}

void ListBoxControl::Select(int position) { ::SendMessageW(hwnd(), LB_SETCURSEL, position, 0); }

bool TextBoxControl::Create(HWND parent, const Rect& place, int id, BoxEvents events) {
  if (!CreateControl(parent, L"EDIT", ES_AUTOHSCROLL, place, id, std::move(events))) return false;
  ::SendMessageW(hwnd(), EM_SETLIMITTEXT, 0, 0);  // no limit but the system's
  return true;
}

std::string TextBoxControl::Text() const {
  const int length = ::GetWindowTextLengthW(hwnd());
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(hwnd(), text.data(), length + 1)));
  return Utf8FromWide(text);
}

void TextBoxControl::SetText(const std::string& text) {
  ::SetWindowTextW(hwnd(), WideFromUtf8(text).c_str());
}

}  // namespace quarnel
