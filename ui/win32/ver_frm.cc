#include "ui/win32/ver_frm.h"

#include <array>

#include "base/product.h"
#include "platform/wide_text_windows.h"
#include "ui/win32/art.h"
#include "ui/win32/window_services.h"

namespace quarnel {
namespace {

constexpr wchar_t kClassName[] = L"VerFrm";

// The parts of the window as hot spots, later ones above earlier ones.
constexpr int kArtwork = 0;
constexpr int kLabel1 = 1;
constexpr int kImage1 = 2;  // Image1 (0); the others follow
constexpr std::array<Rect, 6> kParts = {{
    {0, 0, kVerFrmSize.width, kVerFrmSize.height},
    kVerFrmLabel1,
    kVerFrmHotSpots[0],
    kVerFrmHotSpots[1],
    kVerFrmHotSpots[2],
    kVerFrmHotSpots[3],
}};

}  // namespace

VerFrm::VerFrm(const MainWindowPin& main_window)
    : SkinnedWindow(kParts), main_window_(main_window), rules_(*this) {}

VerFrm::~VerFrm() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

bool VerFrm::Create(HWND owner) {
  static const bool registered = RegisterWindowClass(kClassName);
  if (!registered) return false;
  if (!CreateSkinned(0, kClassName, kVerFrmCaption, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                     kVerFrmSize, owner)) {
    return false;
  }
  rules_.Load(main_window_);
  return true;
}

void VerFrm::ShowModal(HWND owner) {
  if (!Create(owner)) return;
  RunModal(owner);
}

void VerFrm::SetTopmost(bool on) { quarnel::SetTopmost(window_, on); }
void VerFrm::Close() { CloseWindow(); }
void VerFrm::OpenAddress(std::string_view address) { ShellOpen(window_, address); }
void VerFrm::ShowInformation(std::string_view text) { quarnel::ShowInformation(window_, text); }

void VerFrm::OnClick(int spot) {
  switch (spot) {
    case kArtwork:
      rules_.ClickBackground();
      break;
    case kLabel1:
      rules_.ClickLabel1();
      break;
    default:
      rules_.ClickHotSpot(spot - kImage1);
      break;
  }
}

void VerFrm::OnMouseMove(int spot) {
  // Moves over Label1 change nothing.
  if (spot >= kImage1) {
    rules_.MouseMoveOnHotSpot();
  } else if (spot == kArtwork) {
    rules_.MouseMoveOnBackground();
  }
}

bool VerFrm::OnKeyDown(WPARAM key) {
  if (key != VK_ESCAPE) return false;
  Close();
  return true;
}

void VerFrm::Paint(HDC dc) {
  RECT client;
  ::GetClientRect(window_, &client);
  DrawArt(dc, "verfrm_art", client, dpi());
  const std::wstring version = WideFromUtf8(kVersionText);
  const HFONT font = MakeUiFont(Scaled(12, dpi()), true);
  const HGDIOBJ old_font = ::SelectObject(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc,
                 RGB(kVersionTextColour.red, kVersionTextColour.green, kVersionTextColour.blue));
  RECT label = ScaledRect(kVerFrmLabel1, dpi());
  ::DrawTextW(dc, version.c_str(), static_cast<int>(version.size()), &label,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  ::SelectObject(dc, old_font);
  ::DeleteObject(font);
}

}  // namespace quarnel
