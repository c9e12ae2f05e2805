#include "ui/win32/set_frm.h"

#include "platform/wide_text_windows.h"
#include "ui/win32/art.h"
#include "ui/win32/window_services.h"

namespace quarnel {
namespace {

constexpr wchar_t kClassName[] = L"SetFrm";
// Child control ids: this plus the control's place in kSetFrmControls.
constexpr int kFirstControlId = 100;

// Picture1 to Picture5 by control.
int PictureNumber(SetFrmControl control) {
  return static_cast<int>(control) - static_cast<int>(SetFrmControl::kPicture1) + 1;
}

const char* IndicatorArt(SetFrmControl control) {
  switch (control) {
    case SetFrmControl::kPicture2:
    case SetFrmControl::kPicture3:
      return "diamond";
    case SetFrmControl::kPicture5:
      return "pin";
    default:
      return "square";
  }
}

}  // namespace

SetFrm::~SetFrm() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

bool SetFrm::Create(HWND owner) {
  static const bool registered = RegisterWindowClass(kClassName);
  if (!registered) return false;
  if (!CreateObjectWindow(WS_EX_CONTROLPARENT, kClassName, kSetFrmCaption,
                          WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                          {0, 0, kSetFrmSize.width, kSetFrmSize.height}, owner)) {
    return false;
  }
  dpi_ = WindowDpi(window_);
  PlaceCentred(window_, owner, kSetFrmSize);
  if (!CreateControls()) return false;

  SetFrmControls controls;
  for (int n = 0; n < 5; ++n) controls.picture[n] = &picture_[n];
  for (int i = 0; i < 3; ++i) {
    controls.list1[i] = &list1_[i];
    controls.text1[i] = &text1_[i];
  }
  rules_.emplace(controls, static_cast<SetFrmWindow&>(*this), main_window_, settings_);
  rules_->Build();
  rules_->Load();
  return true;
}

void SetFrm::ShowModal(HWND owner) {
  if (!Create(owner)) return;
  ::SetFocus(list1_[0].hwnd());
  RunModal(window_, owner, closed_, [this](WPARAM key) { return KeyDown(key); });
}

bool SetFrm::CreateControls() {
  for (size_t place = 0; place < kSetFrmControls.size(); ++place) {
    const ControlPlace& control = kSetFrmControls[place];
    const int id = kFirstControlId + static_cast<int>(place);
    const int i = control.index;
    switch (control.kind) {
      case ControlKind::kHotSpot:
        break;  // a place on the skin, hit-tested by the window
      case ControlKind::kIndicator: {
        const SetFrmControl which = control.control;
        if (!picture_[PictureNumber(which) - 1].Create(
                window_, std::string(control.name), IndicatorArt(which), control.rect, id, true)) {
          return false;
        }
        break;
      }
      case ControlKind::kListBox: {
        BoxEvents events;
        events.key_down = [this, i] { rules_->ListKeyDown(i); };
        events.key_up = [this, i](int key) { rules_->ListKeyUp(i, key); };
        events.mouse_down = [this, i] { rules_->ListMouseDown(i); };
        events.mouse_up = [this, i] { rules_->ListMouseUp(i); };
        events.hovered = [this, i] { rules_->MouseMove(SetFrmControl::kList1, i); };
        if (!list1_[i].Create(window_, control.rect, id, std::move(events))) return false;
        break;
      }
      case ControlKind::kTextBox: {
        BoxEvents events;
        events.key_up = [this, i](int key) { rules_->TextKeyUp(i, key); };
        events.hovered = [this, i] { rules_->MouseMove(SetFrmControl::kText1, i); };
        if (!text1_[i].Create(window_, control.rect, id, std::move(events))) return false;
        break;
      }
    }
  }
  return true;
}

int SetFrmControlId(std::string_view name, int index) {
  for (size_t place = 0; place < kSetFrmControls.size(); ++place) {
    const ControlPlace& control = kSetFrmControls[place];
    if (control.name == name && control.index == index && control.kind != ControlKind::kHotSpot) {
      return kFirstControlId + static_cast<int>(place);
    }
  }
  return 0;
}

void SetFrm::SetTopmost(bool on) { quarnel::SetTopmost(window_, on); }
void SetFrm::OpenReadme() { quarnel::OpenReadme(env_, window_); }
void SetFrm::StartCaptionDrag() { quarnel::StartCaptionDrag(window_); }

void SetFrm::SetPointer(Pointer pointer) {
  pointer_ = pointer;
  ShowPointer(pointer);
}

HWND SetFrm::FocusStopWindow(const FocusStop& stop) const {
  switch (stop.control) {
    case SetFrmControl::kList1:
      return list1_[stop.index].hwnd();
    case SetFrmControl::kText1:
      return text1_[stop.index].hwnd();
    default:
      return picture_[PictureNumber(stop.control) - 1].hwnd();
  }
}

bool SetFrm::KeyDown(WPARAM key) {
  if (key == VK_ESCAPE) {
    Close();
    return true;
  }
  if (key != VK_TAB) return false;
  const bool backwards = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const int count = static_cast<int>(kSetFrmTabOrder.size());
  int at = -1;
  const HWND focus = ::GetFocus();
  for (int n = 0; n < count; ++n) {
    if (FocusStopWindow(kSetFrmTabOrder[n]) == focus) at = n;
  }
  for (int step = 1; step <= count; ++step) {
    const int n = at < 0 ? (backwards ? count - step : step - 1)
                         : ((at + (backwards ? -step : step)) % count + count) % count;
    const HWND next = FocusStopWindow(kSetFrmTabOrder[n]);
    if (::IsWindowVisible(next)) {
      ::SetFocus(next);
      for (const TextBoxControl& text : text1_) {
        // An entry line reached by Tab has its text selected, as in a dialog.
        if (text.hwnd() == next) ::SendMessageW(next, EM_SETSEL, 0, -1);
      }
      break;
    }
  }
  return true;
}

BoxControl* SetFrm::BoxOf(HWND control) {
  for (ListBoxControl& list : list1_) {
    if (list.hwnd() == control) return &list;
  }
  for (TextBoxControl& text : text1_) {
    if (text.hwnd() == control) return &text;
  }
  return nullptr;
}

int SetFrm::HotSpotAt(LPARAM point) const {
  const POINT at = RulePoint(point, dpi_);
  // Later controls lie above earlier ones.
  for (int place = static_cast<int>(kSetFrmControls.size()) - 1; place >= 0; --place) {
    const ControlPlace& control = kSetFrmControls[place];
    if (control.kind == ControlKind::kHotSpot && control.rect.Contains(at.x, at.y)) return place;
  }
  return -1;
}

LRESULT SetFrm::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const int spot = HotSpotAt(lparam);
      if (spot >= 0) {
        pressed_spot_ = message == WM_LBUTTONDOWN ? spot : -1;
        if (pressed_spot_ >= 0) ::SetCapture(window_);
      } else {
        // The whole skin acts as a caption bar.
        rules_->BackgroundMouseDown();
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      const int pressed = pressed_spot_;
      pressed_spot_ = -1;
      if (::GetCapture() == window_) ::ReleaseCapture();
      if (pressed >= 0 && HotSpotAt(lparam) == pressed) {
        rules_->Click(kSetFrmControls[pressed].control, kSetFrmControls[pressed].index);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if ((wparam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
        const int spot = HotSpotAt(lparam);
        if (spot >= 0) {
          rules_->MouseMove(kSetFrmControls[spot].control, kSetFrmControls[spot].index);
        } else {
          rules_->MouseMove(SetFrmControl::kBackground);
        }
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) != HTCLIENT) break;
      // List and text boxes keep their own pointers; over the skin and the
      // indicators the window's pointer shows.
      if (BoxOf(reinterpret_cast<HWND>(wparam)) != nullptr) return FALSE;
      ShowPointer(pointer_);
      return TRUE;
    case WM_COMMAND: {
      const int place = LOWORD(wparam) - kFirstControlId;
      if (HIWORD(wparam) == BN_CLICKED && place >= 0 &&
          place < static_cast<int>(kSetFrmControls.size()) &&
          kSetFrmControls[place].kind == ControlKind::kIndicator) {
        rules_->Click(kSetFrmControls[place].control);
      }
      return 0;
    }
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT: {
      const BoxControl* box = BoxOf(reinterpret_cast<HWND>(lparam));
      if (box == nullptr) break;
      ::SetBkColor(reinterpret_cast<HDC>(wparam), box->Colour());
      return reinterpret_cast<LRESULT>(box->Brush());
    }
    case WM_KEYDOWN:
      if (KeyDown(wparam)) return 0;
      break;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wparam);
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      ::SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    }
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wparam, lparam);
}

void SetFrm::Layout() {
  for (IndicatorPicture& picture : picture_) picture.Layout(dpi_);
  for (ListBoxControl& list : list1_) list.Layout(dpi_);
  for (TextBoxControl& text : text1_) text.Layout(dpi_);
}

void SetFrm::Paint(HDC dc) {
  RECT client;
  ::GetClientRect(window_, &client);
  DrawArt(dc, "setfrm_skin", client, dpi_);
}

}  // namespace quarnel
