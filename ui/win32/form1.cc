#include "ui/win32/form1.h"

#include <shellapi.h>

#include <memory>
#include <type_traits>

#include "files/work_report.h"
#include "platform/wide_text_windows.h"
#include "ui/rules/drop_observer.h"
#include "ui/rules/notice_texts.h"
#include "ui/win32/art.h"
#include "ui/win32/set_frm.h"
#include "ui/win32/ver_frm.h"

namespace quarnel {
namespace {

constexpr wchar_t kClassName[] = L"Form1";
constexpr int kPicture1Id = 1;

// The paths of a WM_DROPFILES block, in its order, as UTF-8.
std::vector<std::string> DroppedPaths(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT copied = ::DragQueryFileW(drop, i, path.data(), length + 1);
    path.resize(copied);
    if (!path.empty()) paths.push_back(Utf8FromWide(path));
  }
  return paths;
}

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const {
    if (object != nullptr) ::DeleteObject(object);
  }
};
template <typename T>
using GdiObject = std::unique_ptr<std::remove_pointer_t<T>, DeleteGdiObject>;

}  // namespace

Form1::Form1(Session& session, NoticeTeller tell)
    : session_(session), tell_(std::move(tell)), rules_(*this, *this) {}

Form1::~Form1() {
  if (window_ != nullptr) {
    unloaded_ = true;  // destroyed unclosed (a test): no unload step
    UnhookMainWindow();
    ::DestroyWindow(window_);
  }
}

bool Form1::Create() {
  static const bool registered = RegisterWindowClass(kClassName, QuarnelIcon(32), QuarnelIcon(16));
  if (!registered) return false;
  if (!CreateObjectWindow(0, kClassName, kForm1Caption, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                          {0, 0, kForm1Size.width, kForm1Size.height}, nullptr)) {
    return false;
  }
  dpi_ = WindowDpi(window_);
  PlaceCentred(window_, nullptr, kForm1Size);
  // Above hot area 5, so a click on it reaches the indicator.
  if (!picture1_.Create(window_, "Picture1", "pin", kForm1Picture1, kPicture1Id, false))
    return false;
  ::DragAcceptFiles(window_, TRUE);
  return true;
}

void Form1::Load() {
  if (StartsPinned(session_.settings())) {
    SetTopmost(true);
  } else {
    SetPinShown(false);
  }
  HookMainWindow(window_);
}

void Form1::Show() {
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
}

void Form1::ProcessDrop(const std::vector<std::string>& paths) {
  if (paths.empty() || progress_.running()) return;
  progress_.Begin();
  DropObserver observer;
  {
    WorkReport report(&observer);
    session_.RunPaths(paths, report,
                      {[this] {
                         if (progress_.FileStarted()) KeepPainted();
                       },
                       [this] {
                         if (progress_.Step()) KeepPainted();
                       }});
  }
  progress_.End();
  ::InvalidateRect(window_, nullptr, FALSE);
  if (!observer.problems().empty() && tell_) {
    tell_(window_, DropProblemsSummary(static_cast<int>(observer.problems().size())),
          observer.problems());
  }
}

// The drop runs inside the message handler: the window is repainted by
// hand, and the queue is looked at so the system does not take the window
// for hung. Clicks and keys wait in the queue until the drop is done.
void Form1::KeepPainted() {
  ::InvalidateRect(window_, nullptr, FALSE);
  ::UpdateWindow(window_);
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

void Form1::SetPointer(Pointer pointer) {
  pointer_ = pointer;
  ShowPointer(pointer);
}

void Form1::OpenSettingsWindow() {
  SetFrm window(session_.env(), session_.settings(), *this);
  window.ShowModal(window_);
}

void Form1::OpenAboutWindow() {
  VerFrm window(*this);
  window.ShowModal(window_);
}

int Form1::HotAreaAt(LPARAM point) const {
  const POINT at = RulePoint(point, dpi_);
  for (const MainHotArea& area : kForm1HotAreas) {
    if (area.rect.Contains(at.x, at.y)) return area.index;
  }
  return -1;
}

LRESULT Form1::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const int area = HotAreaAt(lparam);
      if (area >= 0) {
        // A press on a hot area starts its click, never a move.
        pressed_area_ = message == WM_LBUTTONDOWN ? area : -1;
        if (pressed_area_ >= 0) ::SetCapture(window_);
      } else {
        rules_.MouseDownOnFace();
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      const int pressed = pressed_area_;
      pressed_area_ = -1;
      if (::GetCapture() == window_) ::ReleaseCapture();
      if (pressed >= 0 && HotAreaAt(lparam) == pressed) rules_.ClickHotArea(pressed);
      return 0;
    }
    case WM_MOUSEMOVE:
      if ((wparam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
        if (HotAreaAt(lparam) >= 0) {
          rules_.MouseMoveOnHotArea();
        } else {
          rules_.MouseMoveOnFace();
        }
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT) {
        ShowPointer(pointer_);
        return TRUE;
      }
      break;
    case WM_COMMAND:
      if (LOWORD(wparam) == kPicture1Id && HIWORD(wparam) == BN_CLICKED) rules_.ClickPicture1();
      return 0;
    case WM_DROPFILES: {
      const HDROP drop = reinterpret_cast<HDROP>(wparam);
      const std::vector<std::string> paths = DroppedPaths(drop);
      ::DragFinish(drop);
      ProcessDrop(paths);
      return 0;
    }
    case WM_SHOWWINDOW:
      if (wparam != FALSE) rules_.WindowPlacementChanged();
      break;
    case WM_SIZE:
      if (::IsWindowVisible(window_)) rules_.WindowPlacementChanged();
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wparam);
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      ::SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      picture1_.Layout(dpi_);
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    }
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_ENDSESSION:
      // The user logs off: the run ends through the unload step all the same.
      if (wparam != FALSE) OnClose();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wparam, lparam);
}

void Form1::OnClose() {
  if (!unloaded_) {
    unloaded_ = true;
    UnhookMainWindow();
    if (unload_) unload_();
  }
  ::DestroyWindow(window_);
}

void Form1::Paint(HDC dc) {
  RECT client;
  ::GetClientRect(window_, &client);
  DrawArt(dc, "form1_skin", client, dpi_);
  if (progress_.visible()) DrawDropCount(dc);
}

void Form1::DrawDropCount(HDC dc) const {
  const std::wstring text = WideFromUtf8(DropCountText(progress_.files_done()));
  GdiObject<HFONT> font(MakeUiFont(Scaled(10, dpi_), true));
  const HGDIOBJ old_font = ::SelectObject(dc, font.get());
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const int width = extent.cx + Scaled(14, dpi_);
  RECT badge{Scaled(284, dpi_) - width, Scaled(103, dpi_), Scaled(284, dpi_), Scaled(118, dpi_)};
  GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, RGB(0x5C, 0x97, 0xD8)));
  GdiObject<HBRUSH> brush(::CreateSolidBrush(RGB(255, 255, 255)));
  const HGDIOBJ old_pen = ::SelectObject(dc, pen.get());
  const HGDIOBJ old_brush = ::SelectObject(dc, brush.get());
  ::RoundRect(dc, badge.left, badge.top, badge.right, badge.bottom, Scaled(14, dpi_),
              Scaled(14, dpi_));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(0x1B, 0x4B, 0x9B));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &badge,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(dc, old_brush);
  ::SelectObject(dc, old_pen);
  ::SelectObject(dc, old_font);
}

}  // namespace quarnel
