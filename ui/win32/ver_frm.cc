#include "ui/win32/ver_frm.h"

#include <memory>

#include "app/product.h"
#include "platform/wide_text_windows.h"
#include "ui/win32/art.h"
#include "ui/win32/window_services.h"

namespace quarnel {
namespace {

constexpr wchar_t kClassName[] = L"VerFrm";

// Which part of the window a client point (96-dpi pixels) is on: a hot spot
// (0 to 3), Label1 (-2) or the bare artwork (-1).
constexpr int kOnArtwork = -1;
constexpr int kOnLabel1 = -2;
int PartAt(POINT at) {
  for (int index = 0; index < static_cast<int>(kVerFrmHotSpots.size()); ++index) {
    if (kVerFrmHotSpots[index].Contains(at.x, at.y)) return index;
  }
  return kVerFrmLabel1.Contains(at.x, at.y) ? kOnLabel1 : kOnArtwork;
}

}  // namespace

VerFrm::~VerFrm() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

bool VerFrm::Create(HWND owner) {
  static const bool registered = RegisterWindowClass(kClassName);
  if (!registered) return false;
  if (!CreateObjectWindow(0, kClassName, kVerFrmCaption, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                          {0, 0, kVerFrmSize.width, kVerFrmSize.height}, owner)) {
    return false;
  }
  dpi_ = WindowDpi(window_);
  PlaceCentred(window_, owner, kVerFrmSize);
  rules_.Load(main_window_);
  return true;
}

void VerFrm::ShowModal(HWND owner) {
  if (!Create(owner)) return;
  RunModal(window_, owner, closed_);
}

void VerFrm::SetTopmost(bool on) { quarnel::SetTopmost(window_, on); }
void VerFrm::Close() { ::DestroyWindow(window_); }
void VerFrm::OpenAddress(std::string_view address) { ShellOpen(window_, address); }
void VerFrm::ShowInformation(std::string_view text) { quarnel::ShowInformation(window_, text); }

void VerFrm::SetPointer(Pointer pointer) {
  pointer_ = pointer;
  ShowPointer(pointer);
}

LRESULT VerFrm::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      // No move by dragging here: a press only starts a click.
      pressed_ = true;
      ::SetCapture(window_);
      return 0;
    case WM_LBUTTONUP: {
      const bool click = pressed_;
      pressed_ = false;
      if (::GetCapture() == window_) ::ReleaseCapture();
      const POINT at = RulePoint(lparam, dpi_);
      const Rect whole{0, 0, kVerFrmSize.width, kVerFrmSize.height};
      if (!click || !whole.Contains(at.x, at.y)) return 0;  // released outside: no click
      const int part = PartAt(at);
      if (part == kOnLabel1) {
        rules_.ClickLabel1();
      } else if (part == kOnArtwork) {
        rules_.ClickBackground();
      } else {
        rules_.ClickHotSpot(part);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if ((wparam & MK_LBUTTON) == 0) {
        const int part = PartAt(RulePoint(lparam, dpi_));
        if (part >= 0) {
          rules_.MouseMoveOnHotSpot();
        } else if (part == kOnArtwork) {
          rules_.MouseMoveOnBackground();
        }
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT) {
        ShowPointer(pointer_);
        return TRUE;
      }
      break;
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) Close();
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wparam);
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      ::SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    }
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wparam, lparam);
}

void VerFrm::Paint(HDC dc) {
  RECT client;
  ::GetClientRect(window_, &client);
  DrawArt(dc, "verfrm_art", client, dpi_);
  const std::wstring version = WideFromUtf8(kVersionText);
  const HFONT font = MakeUiFont(Scaled(12, dpi_), true);
  const HGDIOBJ old_font = ::SelectObject(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc,
                 RGB(kVersionTextColour.red, kVersionTextColour.green, kVersionTextColour.blue));
  RECT label = ScaledRect(kVerFrmLabel1, dpi_);
  ::DrawTextW(dc, version.c_str(), static_cast<int>(version.size()), &label,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  ::SelectObject(dc, old_font);
  ::DeleteObject(font);
}

}  // namespace quarnel
