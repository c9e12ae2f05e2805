#include "ui/win32/skinned_window.h"

#include "ui/win32/window_services.h"

namespace quarnel {

bool SkinnedWindow::CreateSkinned(DWORD ex_style, const wchar_t* class_name,
                                  std::string_view caption, DWORD style, Size size, HWND owner) {
  if (!CreateObjectWindow(ex_style, class_name, caption, style, {0, 0, size.width, size.height},
                          owner)) {
    return false;
  }
  dpi_ = WindowDpi(window_);
  PlaceCentred(window_, owner, size);
  return true;
}

void SkinnedWindow::ShowWindowPointer(Pointer pointer) {
  pointer_ = pointer;
  ShowPointer(pointer);
}

void SkinnedWindow::RunModal(HWND owner) {
  modal_owner_ = owner;
  if (owner != nullptr) ::EnableWindow(owner, FALSE);
  ::ShowWindow(window_, SW_SHOW);
  MSG message;
  while (window_ != nullptr) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    if (message.message == WM_KEYDOWN &&
        (message.hwnd == window_ || ::IsChild(window_, message.hwnd)) &&
        OnKeyDown(message.wParam)) {
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  CloseWindow();  // the loop may have ended with the window still there
}

void SkinnedWindow::CloseWindow() {
  if (modal_owner_ != nullptr) {
    ::EnableWindow(modal_owner_, TRUE);
    modal_owner_ = nullptr;
  }
  if (window_ != nullptr) ::DestroyWindow(window_);
}

int SkinnedWindow::HotSpotAt(LPARAM point) const {
  const POINT at = RulePoint(point, dpi_);
  for (int spot = static_cast<int>(hot_spots_.size()) - 1; spot >= 0; --spot) {
    if (hot_spots_[spot].Contains(at.x, at.y)) return spot;
  }
  return kFace;
}

void SkinnedWindow::ButtonDown(UINT message, LPARAM point) {
  const int spot = HotSpotAt(point);
  if (spot == kFace) {
    OnFacePress();
    return;
  }
  // A press on a hot spot starts its click (left button only), never a move.
  pressed_ = message == WM_LBUTTONDOWN ? spot : kFace;
  if (pressed_ != kFace) ::SetCapture(window_);
}

void SkinnedWindow::LeftButtonUp(LPARAM point) {
  const int pressed = pressed_;
  pressed_ = kFace;
  if (::GetCapture() == window_) ::ReleaseCapture();
  if (pressed != kFace && HotSpotAt(point) == pressed) OnClick(pressed);
}

void SkinnedWindow::DpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  OnLayout();
  ::InvalidateRect(window_, nullptr, FALSE);
}

LRESULT SkinnedWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      ButtonDown(message, lparam);
      return 0;
    case WM_LBUTTONUP:
      LeftButtonUp(lparam);
      return 0;
    case WM_MOUSEMOVE:
      if ((wparam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) OnMouseMove(HotSpotAt(lparam));
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) != HTCLIENT) break;
      if (HasOwnPointer(reinterpret_cast<HWND>(wparam))) return FALSE;
      ShowPointer(pointer_);
      return TRUE;
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(wparam)) return 0;
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    default:
      break;
  }
  return OnMessage(message, wparam, lparam);
}

}  // namespace quarnel
