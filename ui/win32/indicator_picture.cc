#include "ui/win32/indicator_picture.h"

#include "platform/wide_text_windows.h"
#include "ui/win32/art.h"
#include "ui/win32/window_services.h"

namespace quarnel {
namespace {

constexpr wchar_t kClassName[] = L"QuarnelIndicator";

}  // namespace

bool IndicatorPicture::Create(HWND parent, const std::string& name, std::string art,
                              const Rect& place, int id, bool tab_stop) {
  static const bool registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = &IndicatorPicture::WindowProc;
    window_class.hInstance = ::GetModuleHandleW(nullptr);
    window_class.lpszClassName = kClassName;
    return ::RegisterClassExW(&window_class) != 0;
  }();
  if (!registered) return false;
  art_ = std::move(art);
  place_ = place;
  const UINT dpi = WindowDpi(parent);
  const RECT r = ScaledRect(place, dpi);
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (tab_stop) style |= WS_TABSTOP;
  window_ = ::CreateWindowExW(0, kClassName, WideFromUtf8(name).c_str(), style, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              ::GetModuleHandleW(nullptr), this);
  return window_ != nullptr;
}

void IndicatorPicture::Layout(UINT dpi) {
  const RECT r = ScaledRect(place_, dpi);
  ::MoveWindow(window_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

bool IndicatorPicture::Shown() const {
  return (::GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void IndicatorPicture::SetShown(bool shown) { ::ShowWindow(window_, shown ? SW_SHOWNA : SW_HIDE); }

LRESULT CALLBACK IndicatorPicture::WindowProc(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* self = static_cast<IndicatorPicture*>(created->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<IndicatorPicture*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  return self->Handle(message, wparam, lparam);
}

LRESULT IndicatorPicture::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window_, &paint);
      Paint(dc);
      ::EndPaint(window_, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the parent's skin shows through; OnPaint draws over it
    case WM_LBUTTONDOWN:
      pressed_ = true;
      ::SetCapture(window_);
      return 0;
    case WM_LBUTTONUP: {
      const bool was_pressed = pressed_;
      pressed_ = false;
      if (::GetCapture() == window_) ::ReleaseCapture();
      RECT client;
      ::GetClientRect(window_, &client);
      const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      if (was_pressed && ::PtInRect(&client, at)) {
        const int id = ::GetDlgCtrlID(window_);
        ::SendMessageW(::GetParent(window_), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(window_));
      }
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    default:
      return ::DefWindowProcW(window_, message, wparam, lparam);
  }
}

void IndicatorPicture::Paint(HDC dc) {
  RECT client;
  ::GetClientRect(window_, &client);
  // The parent's face under the picture, then the picture.
  POINT origin{0, 0};
  ::MapWindowPoints(window_, ::GetParent(window_), &origin, 1);
  POINT previous;
  ::OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  ::SendMessageW(::GetParent(window_), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  ::SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
  DrawArt(dc, art_, client, WindowDpi(window_));
  if (::GetFocus() == window_) ::DrawFocusRect(dc, &client);
}

}  // namespace quarnel
