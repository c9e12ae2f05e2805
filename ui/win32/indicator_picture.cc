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
  static const bool registered = RegisterWindowClass(kClassName);
  if (!registered) return false;
  art_ = std::move(art);
  place_ = place;
  const UINT dpi = WindowDpi(parent);
  const RECT r = ScaledRect(place, dpi);
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (tab_stop) style |= WS_TABSTOP;
  return CreateObjectWindow(0, kClassName, name, style, r, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void IndicatorPicture::Layout(UINT dpi) {
  const RECT r = ScaledRect(place_, dpi);
  ::MoveWindow(window_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

bool IndicatorPicture::Shown() const {
  return (::GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void IndicatorPicture::SetShown(bool shown) { ::ShowWindow(window_, shown ? SW_SHOWNA : SW_HIDE); }

LRESULT IndicatorPicture::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
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
