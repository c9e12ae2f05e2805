#include "ui/win32/window_object.h"

#include "platform/wide_text_windows.h"

namespace quarnel {

bool WindowObject::RegisterWindowClass(const wchar_t* name, HICON large_icon, HICON small_icon) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &WindowObject::WindowProc;
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.hIcon = large_icon;
  window_class.hIconSm = small_icon;
  window_class.lpszClassName = name;
  return ::RegisterClassExW(&window_class) != 0;
}

bool WindowObject::CreateObjectWindow(DWORD ex_style, const wchar_t* class_name,
                                      std::string_view caption, DWORD style, const RECT& place,
                                      HWND parent, HMENU id) {
  // The pointer travels as void*: it must be this base's, whatever class
  // derives from it, for WindowProc to cast it back.
  ::CreateWindowExW(ex_style, class_name, WideFromUtf8(caption).c_str(), style, place.left,
                    place.top, place.right - place.left, place.bottom - place.top, parent, id,
                    ::GetModuleHandleW(nullptr), static_cast<WindowObject*>(this));
  return window_ != nullptr;
}

LRESULT CALLBACK WindowObject::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<WindowObject*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowObject*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->Destroyed();
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window, &paint);
      self->Paint(dc);
      ::EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      self->Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      return self->Handle(message, wparam, lparam);
  }
}

}  // namespace quarnel
