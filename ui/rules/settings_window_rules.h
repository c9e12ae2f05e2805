#ifndef QUARNEL_UI_RULES_SETTINGS_WINDOW_RULES_H_
#define QUARNEL_UI_RULES_SETTINGS_WINDOW_RULES_H_

#include <array>
#include <string_view>

#include "settings/settings.h"
#include "ui/rules/controls.h"
#include "ui/rules/geometry.h"

namespace quarnel {

// SetFrm, the settings window: a 300 x 430 skin with hot spots over its drawn
// labels, indicators over its drawn option marks, three list boxes and their
// entry lines. Edits stay in the controls until save-and-close copies them
// into Settings; only the pin switch acts at once.

inline constexpr Size kSetFrmSize{300, 430};
inline constexpr std::string_view kSetFrmCaption = "Setings";

// Background of List1 (2) and Text1 (2) while head insertion is on, and while
// it is off (the list stays fully editable; grey only marks it inactive).
inline constexpr Rgb kActiveBoxColour{255, 255, 255};
inline constexpr Rgb kInactiveBoxColour{230, 230, 240};

enum class SetFrmControl {
  kBackground,  // the window's own surface
  kImage1,
  kImage2,
  kImage3,
  kImage4,  // array 0..2
  kImage5,  // array 0..2
  kImage6,
  kImage7,
  kImage8,
  kImage9,
  kImage10,
  kImage11,
  kPicture1,
  kPicture2,
  kPicture3,
  kPicture4,
  kPicture5,
  kList1,  // array 0..2
  kText1,  // array 0..2
};

enum class ControlKind { kHotSpot, kIndicator, kListBox, kTextBox };

// Where a control lies. `index` is the member of a control array, or
// kLoneControl for a control that is not in one.
struct ControlPlace {
  SetFrmControl control;
  std::string_view name;
  int index;
  ControlKind kind;
  Rect rect;
};
inline constexpr int kLoneControl = -1;

// Every control in creation order; later ones lie above earlier ones, so the
// indicators sit above the hot spots they share a place with.
inline constexpr std::array<ControlPlace, 26> kSetFrmControls = {{
    {SetFrmControl::kImage1, "Image1", kLoneControl, ControlKind::kHotSpot, {280, 0, 17, 17}},
    {SetFrmControl::kImage9, "Image9", kLoneControl, ControlKind::kHotSpot, {220, 0, 17, 17}},
    {SetFrmControl::kImage11, "Image11", kLoneControl, ControlKind::kHotSpot, {248, 0, 17, 17}},
    {SetFrmControl::kImage6, "Image6", kLoneControl, ControlKind::kHotSpot, {8, 40, 89, 17}},
    {SetFrmControl::kImage7, "Image7", kLoneControl, ControlKind::kHotSpot, {8, 96, 73, 17}},
    {SetFrmControl::kImage8, "Image8", kLoneControl, ControlKind::kHotSpot, {160, 40, 129, 17}},
    {SetFrmControl::kImage4, "Image4", 0, ControlKind::kHotSpot, {40, 248, 25, 17}},
    {SetFrmControl::kImage5, "Image5", 0, ControlKind::kHotSpot, {72, 248, 25, 17}},
    {SetFrmControl::kImage4, "Image4", 1, ControlKind::kHotSpot, {200, 248, 25, 17}},
    {SetFrmControl::kImage5, "Image5", 1, ControlKind::kHotSpot, {232, 248, 25, 17}},
    {SetFrmControl::kImage10, "Image10", kLoneControl, ControlKind::kHotSpot, {16, 288, 113, 17}},
    {SetFrmControl::kImage4, "Image4", 2, ControlKind::kHotSpot, {40, 376, 25, 17}},
    {SetFrmControl::kImage5, "Image5", 2, ControlKind::kHotSpot, {72, 376, 25, 17}},
    {SetFrmControl::kImage2, "Image2", kLoneControl, ControlKind::kHotSpot, {16, 408, 89, 17}},
    {SetFrmControl::kImage3, "Image3", kLoneControl, ControlKind::kHotSpot, {176, 408, 113, 17}},
    {SetFrmControl::kPicture5, "Picture5", kLoneControl, ControlKind::kIndicator, {251, 2, 14, 14}},
    {SetFrmControl::kPicture2, "Picture2", kLoneControl, ControlKind::kIndicator, {8, 40, 12, 12}},
    {SetFrmControl::kPicture3, "Picture3", kLoneControl, ControlKind::kIndicator, {8, 96, 12, 12}},
    {SetFrmControl::kPicture1,
     "Picture1",
     kLoneControl,
     ControlKind::kIndicator,
     {163, 39, 12, 12}},
    {SetFrmControl::kPicture4,
     "Picture4",
     kLoneControl,
     ControlKind::kIndicator,
     {21, 288, 12, 12}},
    {SetFrmControl::kList1, "List1", 0, ControlKind::kListBox, {8, 184, 129, 38}},
    {SetFrmControl::kText1, "Text1", 0, ControlKind::kTextBox, {8, 232, 129, 18}},
    {SetFrmControl::kList1, "List1", 1, ControlKind::kListBox, {160, 184, 129, 38}},
    {SetFrmControl::kText1, "Text1", 1, ControlKind::kTextBox, {160, 232, 129, 18}},
    {SetFrmControl::kList1, "List1", 2, ControlKind::kListBox, {8, 312, 129, 38}},
    {SetFrmControl::kText1, "Text1", 2, ControlKind::kTextBox, {8, 360, 129, 18}},
}};

// The number n of Picture1 to Picture5 (kPicture1 to kPicture5).
constexpr int PictureNumber(SetFrmControl picture) {
  return static_cast<int>(picture) - static_cast<int>(SetFrmControl::kPicture1) + 1;
}

// The art picture an indicator shows: "diamond" for the mode pair, "pin"
// for the pin switch, "square" for the other switches.
constexpr std::string_view IndicatorArt(SetFrmControl picture) {
  switch (picture) {
    case SetFrmControl::kPicture2:
    case SetFrmControl::kPicture3:
      return "diamond";
    case SetFrmControl::kPicture5:
      return "pin";
    default:
      return "square";
  }
}

// The keyboard focus order (Tab); hidden indicators are skipped.
struct FocusStop {
  SetFrmControl control;
  int index;
};
inline constexpr std::array<FocusStop, 11> kSetFrmTabOrder = {{
    {SetFrmControl::kList1, 0},
    {SetFrmControl::kText1, 0},
    {SetFrmControl::kList1, 1},
    {SetFrmControl::kText1, 1},
    {SetFrmControl::kPicture1, kLoneControl},
    {SetFrmControl::kPicture2, kLoneControl},
    {SetFrmControl::kPicture3, kLoneControl},
    {SetFrmControl::kText1, 2},
    {SetFrmControl::kList1, 2},
    {SetFrmControl::kPicture4, kLoneControl},
    {SetFrmControl::kPicture5, kLoneControl},
}};

// The controls of one settings window. Picture1 to Picture5 are picture[0]
// to picture[4]; List1 (i) and Text1 (i) are list1[i] and text1[i].
struct SetFrmControls {
  std::array<Indicator*, 5> picture{};
  std::array<ListBox*, 3> list1{};
  std::array<TextBox*, 3> text1{};
};

// The window services that the settings window's rules call.
class SetFrmWindow {
 public:
  virtual ~SetFrmWindow() = default;
  virtual void SetTopmost(bool on) = 0;
  // Destroys the window; whatever the controls hold is lost.
  virtual void Close() = 0;
  // Opens "readme.htm" (beside the program or installed); failures are not reported.
  virtual void OpenReadme() = 0;
  virtual void SetPointer(Pointer pointer) = 0;
  virtual void StartCaptionDrag() = 0;
};

class SetFrmRules {
 public:
  // `main_window` is the pin of Form1, which the pin switch changes too.
  SetFrmRules(const SetFrmControls& controls, SetFrmWindow& window, MainWindowPin& main_window,
              Settings& settings)
      : c_(controls), window_(window), main_window_(main_window), settings_(settings) {}

  // The built-in state, as the window is created: the factory-default items
  // in List1 (0) and List1 (1), List1 (2) empty, the four option indicators
  // hidden, Picture5 shown, List1 (2) and Text1 (2) grey, entry lines empty.
  void Build();

  // The load step, run once after Build and before the window is shown
  // (also when it is loaded unseen for the defaults). The first load of a
  // run, with SettingsLoaded clear, only sets the flag and keeps the
  // built-in state; later loads fill the controls from Settings.
  void Load();

  // A click on a hot spot or an indicator; `index` is the member of a
  // control array (ignored for lone controls).
  void Click(SetFrmControl control, int index = kLoneControl);

  // Mouse moves: pointer, bold and focus follow the mouse.
  void MouseMove(SetFrmControl control, int index = kLoneControl);

  // Any button pressed on the window's background moves the window.
  void BackgroundMouseDown() { window_.StartCaptionDrag(); }

  // Events of List1 (i) and Text1 (i). Key codes as kKeyEnter, kKeyDelete.
  void ListKeyDown(int i);
  void ListKeyUp(int i, int key_code);
  void ListMouseDown(int i);
  void ListMouseUp(int i);
  void TextKeyUp(int i, int key_code);

 private:
  Indicator& Picture(int n) const { return *c_.picture[n - 1]; }
  void ShowMode(bool size_first);
  void ShowHeadInsertion(bool on);
  void PinSwitch();
  void SaveAndClose();
  void BoldOffEverywhere();

  SetFrmControls c_;
  SetFrmWindow& window_;
  MainWindowPin& main_window_;
  Settings& settings_;
};

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_SETTINGS_WINDOW_RULES_H_
