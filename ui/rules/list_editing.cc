#include "ui/rules/list_editing.h"

namespace quarnel {

void AddEntry(ListBox& list, const TextBox& entry) {
  const std::string text = entry.Text();
  if (!text.empty()) list.Append(text);
}

void DeleteSelected(ListBox& list) {
  const int k = list.Selected();
  if (k == ListBox::kNoSelection) return;
  list.Remove(k);
  // k - 1 is kNoSelection when the list is now empty.
  list.Select(k < list.Count() ? k : k - 1);
}

void CopySelection(const ListBox& list, TextBox& entry) {
  const int k = list.Selected();
  if (k != ListBox::kNoSelection) entry.SetText(list.Item(k));
}

void ListKeyUp(ListBox& list, TextBox& entry, int key_code) {
  CopySelection(list, entry);
  if (key_code == kKeyDelete) DeleteSelected(list);
}

void EntryKeyUp(ListBox& list, const TextBox& entry, int key_code) {
  if (key_code == kKeyEnter) AddEntry(list, entry);
}

}  // namespace quarnel
