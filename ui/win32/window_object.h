#ifndef QUARNEL_UI_WIN32_WINDOW_OBJECT_H_
#define QUARNEL_UI_WIN32_WINDOW_OBJECT_H_

#include <string_view>

#include "platform/windows_include.h"

namespace quarnel {

// The C++ object behind one Win32 window of this program: it is the
// window's creation parameter, learns its handle at WM_NCCREATE, hears every
// message in Handle, and learns at WM_NCDESTROY that the window is gone.
// One window procedure serves every class that derives from it. Every
// window here draws all of itself, skin and all, in Paint: the background
// is never erased first, so nothing flickers.
class WindowObject {
 public:
  WindowObject(const WindowObject&) = delete;
  WindowObject& operator=(const WindowObject&) = delete;

  HWND hwnd() const { return window_; }

 protected:
  WindowObject() = default;
  ~WindowObject() = default;

  // Registers the window class `name` with the shared window procedure.
  // Call it once per class (a function-local static does).
  static bool RegisterWindowClass(const wchar_t* name, HICON large_icon = nullptr,
                                  HICON small_icon = nullptr);

  // CreateWindowExW with this object as the creation parameter; true when
  // the window exists.
  bool CreateObjectWindow(DWORD ex_style, const wchar_t* class_name, std::string_view caption,
                          DWORD style, const RECT& place, HWND parent, HMENU id = nullptr);

  // Every message from WM_NCCREATE to WM_NCDESTROY, both excluded, but
  // those that paint.
  virtual LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  // Draws the whole window on `dc` (WM_PAINT, and WM_PRINTCLIENT for a
  // picture of it).
  virtual void Paint(HDC dc) = 0;
  // The window has been destroyed; hwnd() is null from here on.
  virtual void Destroyed() {}

  HWND window_ = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
};

}  // namespace quarnel

#endif  // QUARNEL_UI_WIN32_WINDOW_OBJECT_H_
