#include "ui/win32/form1.h"

#include <shellapi.h>

#include <array>
#include <memory>
#include <type_traits>

#include "platform/wide_text_windows.h"
#include "ui/win32/art.h"
#include "ui/win32/set_frm.h"
#include "ui/win32/ver_frm.h"

namespace quarnel {
namespace {

constexpr wchar_t kClassName[] = L"Form1";
constexpr int kPicture1Id = 1;

// The hot areas' rectangles, in the order of kForm1HotAreas.
constexpr auto kHotAreaRects = [] {
  std::array<Rect, kForm1HotAreas.size()> rects{};
  for (std::size_t i = 0; i < rects.size(); ++i) rects[i] = kForm1HotAreas[i].rect;
  return rects;
}();

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
    : SkinnedWindow(kHotAreaRects),
      session_(session),
      tell_(std::move(tell)),
      rules_(*this, *this),
      run_(session, *this) {}

Form1::~Form1() {
  if (window_ != nullptr) {
    // Destroyed unclosed (a test, or the end of a run that was told to
    // quit): no unload step.
    UnhookMainWindow();
    ::DestroyWindow(window_);
  }
}

bool Form1::Create() {
  static const bool registered = RegisterWindowClass(kClassName, QuarnelIcon(32), QuarnelIcon(16));
  if (!registered) return false;
  if (!CreateSkinned(0, kClassName, kForm1Caption, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                     kForm1Size, nullptr)) {
    return false;
  }
  // Above hot area 5, so a click on it reaches the indicator.
  if (!picture1_.Create(window_, "Picture1", "pin", kForm1Picture1, kPicture1Id, false))
    return false;
  ::DragAcceptFiles(window_, TRUE);
  return true;
}

void Form1::Show() {
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
}

// The drop runs inside the message handler: the window is repainted by
// hand, and the queue is looked at so the system does not take the window
// for hung. Clicks and keys wait in the queue until the drop is done.
void Form1::PaintDuringDrop() {
  ::InvalidateRect(window_, nullptr, FALSE);
  ::UpdateWindow(window_);
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

void Form1::TellProblems(const std::string& summary, const std::vector<std::string>& details) {
  if (tell_) tell_(window_, summary, details);
}

void Form1::OpenSettingsWindow() {
  SetFrm window(session_.env(), session_.settings(), *this);
  window.ShowModal(window_);
}

void Form1::OpenAboutWindow() {
  VerFrm window(*this);
  window.ShowModal(window_);
}

void Form1::OnClick(int spot) { rules_.ClickHotArea(kForm1HotAreas[spot].index); }

void Form1::OnMouseMove(int spot) {
  if (spot == kFace) {
    rules_.MouseMoveOnFace();
  } else {
    rules_.MouseMoveOnHotArea();
  }
}

void Form1::OnCommand(int id, int code) {
  if (id == kPicture1Id && code == BN_CLICKED) rules_.ClickPicture1();
}

void Form1::OnClose() {
  // A close during a drop waits for the drop to end.
  if (run_.CloseRequested()) ::DestroyWindow(window_);
}

void Form1::OnDropFiles(HDROP drop) {
  const std::vector<std::string> paths = DroppedPaths(drop);
  ::DragFinish(drop);
  run_.Drop(paths);
}

LRESULT Form1::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_SHOWWINDOW:
      if (wparam != FALSE) rules_.WindowPlacementChanged();
      break;
    case WM_SIZE:
      if (::IsWindowVisible(window_)) rules_.WindowPlacementChanged();
      return 0;
    case WM_ENDSESSION:
      // The user logs off: the run ends through the unload step all the
      // same, at once, as the process may end when this returns.
      if (wparam != FALSE) {
        run_.Unload();
        ::DestroyWindow(window_);
      }
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wparam, lparam);
}

void Form1::Paint(HDC dc) {
  RECT client;
  ::GetClientRect(window_, &client);
  DrawArt(dc, "form1_skin", client, dpi());
  if (run_.DropCountVisible()) DrawDropCount(dc);
}

void Form1::DrawDropCount(HDC dc) const {
  const std::wstring text = WideFromUtf8(run_.DropCount());
  const UINT dpi = this->dpi();
  const auto scaled = [dpi](int length) { return Scaled(length, dpi); };
  const auto colour = [](Rgb c) { return RGB(c.red, c.green, c.blue); };
  GdiObject<HFONT> font(MakeUiFont(scaled(kDropBadgeFontPixels), true));
  const HGDIOBJ old_font = ::SelectObject(dc, font.get());
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const Rect place = DropBadgePlace(extent.cx, scaled);
  RECT badge{place.left, place.top, place.right(), place.bottom()};
  GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, colour(kDropBadgeBorder)));
  GdiObject<HBRUSH> brush(::CreateSolidBrush(colour(kDropBadgeFill)));
  const HGDIOBJ old_pen = ::SelectObject(dc, pen.get());
  const HGDIOBJ old_brush = ::SelectObject(dc, brush.get());
  const int corner = scaled(2 * kDropBadgeCornerRadius);
  ::RoundRect(dc, badge.left, badge.top, badge.right, badge.bottom, corner, corner);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, colour(kDropBadgeText));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &badge,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(dc, old_brush);
  ::SelectObject(dc, old_pen);
  ::SelectObject(dc, old_font);
}

}  // namespace quarnel
