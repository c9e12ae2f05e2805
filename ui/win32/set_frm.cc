#include "ui/win32/set_frm.h"

#include "platform/wide_text_windows.h"
#include "ui/win32/art.h"
#include "ui/win32/window_services.h"

namespace quarnel {
namespace {

constexpr wchar_t kClassName[] = L"SetFrm";
// Child control ids: this plus the control's place in kSetFrmControls.
constexpr int kFirstControlId = 100;

// The hot spots' rectangles by place in kSetFrmControls; the other
// controls are windows of their own and have none here.
constexpr auto kHotSpotRects = [] {
  std::array<Rect, kSetFrmControls.size()> rects{};
  for (std::size_t place = 0; place < rects.size(); ++place) {
    if (kSetFrmControls[place].kind == ControlKind::kHotSpot)
      rects[place] = kSetFrmControls[place].rect;
  }
  return rects;
}();

}  // namespace

SetFrm::SetFrm(Env& env, Settings& settings, MainWindowPin& main_window)
    : SkinnedWindow(kHotSpotRects), env_(env), settings_(settings), main_window_(main_window) {}

SetFrm::~SetFrm() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

bool SetFrm::Create(HWND owner) {
  static const bool registered = RegisterWindowClass(kClassName);
  if (!registered) return false;
  if (!CreateSkinned(WS_EX_CONTROLPARENT, kClassName, kSetFrmCaption,
                     WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, kSetFrmSize,
                     owner)) {
    return false;
  }
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
  RunModal(owner);
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
        if (!picture_[PictureNumber(which) - 1].Create(window_, std::string(control.name),
                                                       std::string(IndicatorArt(which)),
                                                       control.rect, id, true)) {
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

bool SetFrm::OnKeyDown(WPARAM key) {
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

const BoxControl* SetFrm::BoxOf(HWND control) const {
  for (const ListBoxControl& list : list1_) {
    if (list.hwnd() == control) return &list;
  }
  for (const TextBoxControl& text : text1_) {
    if (text.hwnd() == control) return &text;
  }
  return nullptr;
}

void SetFrm::OnClick(int spot) {
  rules_->Click(kSetFrmControls[spot].control, kSetFrmControls[spot].index);
}

void SetFrm::OnMouseMove(int spot) {
  if (spot == kFace) {
    rules_->MouseMove(SetFrmControl::kBackground);
  } else {
    rules_->MouseMove(kSetFrmControls[spot].control, kSetFrmControls[spot].index);
  }
}

void SetFrm::OnCommand(int id, int code) {
  const int place = id - kFirstControlId;
  if (code == BN_CLICKED && place >= 0 && place < static_cast<int>(kSetFrmControls.size()) &&
      kSetFrmControls[place].kind == ControlKind::kIndicator) {
    rules_->Click(kSetFrmControls[place].control);
  }
}

LRESULT SetFrm::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CTLCOLORLISTBOX || message == WM_CTLCOLOREDIT) {
    if (const BoxControl* box = BoxOf(reinterpret_cast<HWND>(lparam))) {
      ::SetBkColor(reinterpret_cast<HDC>(wparam), box->Colour());
      return reinterpret_cast<LRESULT>(box->Brush());
    }
  }
  return ::DefWindowProcW(window_, message, wparam, lparam);
}

void SetFrm::OnLayout() {
  for (IndicatorPicture& picture : picture_) picture.Layout(dpi());
  for (ListBoxControl& list : list1_) list.Layout(dpi());
  for (TextBoxControl& text : text1_) text.Layout(dpi());
}

void SetFrm::Paint(HDC dc) {
  RECT client;
  ::GetClientRect(window_, &client);
  DrawArt(dc, "setfrm_skin", client, dpi());
}

}  // namespace quarnel
