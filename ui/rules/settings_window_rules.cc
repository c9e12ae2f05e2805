#include "ui/rules/settings_window_rules.h"

#include "settings/default_lists.h"
#include "ui/rules/list_editing.h"

namespace quarnel {
namespace {

void Fill(ListBox& list, const ItemList& items) {
  list.Clear();
  for (const std::string& item : items) list.Append(item);
}

ItemList ItemsOf(const ListBox& list) {
  ItemList items;
  const int count = list.Count();
  items.reserve(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) items.push_back(list.Item(k));
  return items;
}

}  // namespace

void SetFrmRules::Build() {
  Fill(*c_.list1[0], DefaultDeleteLines());
  Fill(*c_.list1[1], DefaultJoinTags());
  c_.list1[2]->Clear();
  for (TextBox* text : c_.text1) text->SetText("");
  for (int n = 1; n <= 4; ++n) Picture(n).SetShown(false);
  Picture(5).SetShown(true);
  c_.list1[0]->SetBackground(kActiveBoxColour);
  c_.text1[0]->SetBackground(kActiveBoxColour);
  c_.list1[1]->SetBackground(kActiveBoxColour);
  c_.text1[1]->SetBackground(kActiveBoxColour);
  c_.list1[2]->SetBackground(kInactiveBoxColour);
  c_.text1[2]->SetBackground(kInactiveBoxColour);
}

void SetFrmRules::Load() {
  if (main_window_.PinShown()) {
    Picture(5).SetShown(true);
    window_.SetTopmost(true);
  } else {
    Picture(5).SetShown(false);
  }

  if (!settings_.SettingsLoaded) {
    settings_.SettingsLoaded = true;
    return;
  }

  // Hand-edited values show as the file job reads them.
  ShowMode(SizeFirst(settings_));
  Picture(1).SetShown(SignatureOn(settings_));
  ShowHeadInsertion(HeadLinesOn(settings_));
  Fill(*c_.list1[0], settings_.DeleteLines);
  Fill(*c_.list1[1], settings_.JoinTags);
  Fill(*c_.list1[2], settings_.HeadLines);
}

void SetFrmRules::ShowMode(bool size_first) {
  Picture(2).SetShown(!size_first);
  Picture(3).SetShown(size_first);
}

void SetFrmRules::ShowHeadInsertion(bool on) {
  Picture(4).SetShown(on);
  const Rgb colour = on ? kActiveBoxColour : kInactiveBoxColour;
  c_.list1[2]->SetBackground(colour);
  c_.text1[2]->SetBackground(colour);
}

void SetFrmRules::Click(SetFrmControl control, int index) {
  switch (control) {
    case SetFrmControl::kImage1:
    case SetFrmControl::kImage3:
      window_.Close();  // without saving
      break;
    case SetFrmControl::kImage2:
      SaveAndClose();
      break;
    case SetFrmControl::kImage9:
      window_.OpenReadme();
      break;
    case SetFrmControl::kImage11:
    case SetFrmControl::kPicture5:
      PinSwitch();
      break;
    // Each mode label swaps the pair, even the label of the chosen mode.
    case SetFrmControl::kImage6:
    case SetFrmControl::kPicture2:
      ShowMode(Picture(2).Shown());
      break;
    case SetFrmControl::kImage7:
    case SetFrmControl::kPicture3:
      ShowMode(!Picture(3).Shown());
      break;
    case SetFrmControl::kImage8:
    case SetFrmControl::kPicture1:
      Picture(1).SetShown(!Picture(1).Shown());
      break;
    case SetFrmControl::kImage10:
    case SetFrmControl::kPicture4:
      ShowHeadInsertion(!Picture(4).Shown());
      break;
    case SetFrmControl::kImage4:
      if (index >= 0 && index < 3) AddEntry(*c_.list1[index], *c_.text1[index]);
      break;
    case SetFrmControl::kImage5:
      if (index >= 0 && index < 3) DeleteSelected(*c_.list1[index]);
      break;
    case SetFrmControl::kBackground:
    case SetFrmControl::kList1:
    case SetFrmControl::kText1:
      break;
  }
}

void SetFrmRules::PinSwitch() {
  const bool on = !Picture(5).Shown();
  Picture(5).SetShown(on);
  main_window_.SetPinShown(on);
  window_.SetTopmost(on);
  main_window_.SetTopmost(on);
}

void SetFrmRules::SaveAndClose() {
  settings_.CompactMode = Picture(3).Shown() ? 1 : 0;
  settings_.WriteSignature = Picture(1).Shown() ? 1 : 0;
  settings_.InsertHeadLines = Picture(4).Shown() ? 1 : 0;
  // HeadLines is saved whatever the head-insertion switch says.
  settings_.DeleteLines = ItemsOf(*c_.list1[0]);
  settings_.JoinTags = ItemsOf(*c_.list1[1]);
  settings_.HeadLines = ItemsOf(*c_.list1[2]);
  window_.Close();
}

void SetFrmRules::BoldOffEverywhere() {
  for (ListBox* list : c_.list1) list->SetBold(false);
  for (TextBox* text : c_.text1) text->SetBold(false);
}

void SetFrmRules::MouseMove(SetFrmControl control, int index) {
  const bool in_array = index >= 0 && index < 3;
  switch (control) {
    case SetFrmControl::kBackground:
      window_.SetPointer(Pointer::kDefault);
      BoldOffEverywhere();
      break;
    case SetFrmControl::kImage1:
    case SetFrmControl::kImage2:
    case SetFrmControl::kImage3:
    case SetFrmControl::kImage6:
    case SetFrmControl::kImage7:
    case SetFrmControl::kImage8:
    case SetFrmControl::kImage9:
    case SetFrmControl::kImage10:
    case SetFrmControl::kImage11:
      window_.SetPointer(Pointer::kLink);
      break;
    case SetFrmControl::kImage4:
      if (!in_array) break;
      c_.text1[index]->SetBold(true);
      window_.SetPointer(Pointer::kLink);
      break;
    case SetFrmControl::kImage5:
      // Readies the list for the Delete key.
      if (!in_array) break;
      c_.list1[index]->TakeFocus();
      c_.list1[index]->SetBold(true);
      window_.SetPointer(Pointer::kLink);
      break;
    case SetFrmControl::kList1:
      if (in_array) c_.list1[index]->TakeFocus();
      break;
    case SetFrmControl::kText1:
      if (!in_array) break;
      c_.text1[index]->TakeFocus();
      window_.SetPointer(Pointer::kDefault);
      BoldOffEverywhere();
      break;
    case SetFrmControl::kPicture1:
    case SetFrmControl::kPicture2:
    case SetFrmControl::kPicture3:
    case SetFrmControl::kPicture4:
    case SetFrmControl::kPicture5:
      break;  // indicators have no hover effect
  }
}

void SetFrmRules::ListKeyDown(int i) { CopySelection(*c_.list1[i], *c_.text1[i]); }

void SetFrmRules::ListKeyUp(int i, int key_code) {
  quarnel::ListKeyUp(*c_.list1[i], *c_.text1[i], key_code);
}

void SetFrmRules::ListMouseDown(int i) { CopySelection(*c_.list1[i], *c_.text1[i]); }

void SetFrmRules::ListMouseUp(int i) { CopySelection(*c_.list1[i], *c_.text1[i]); }

void SetFrmRules::TextKeyUp(int i, int key_code) {
  EntryKeyUp(*c_.list1[i], *c_.text1[i], key_code);
}

}  // namespace quarnel
