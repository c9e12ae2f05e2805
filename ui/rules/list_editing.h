#ifndef QUARNEL_UI_RULES_LIST_EDITING_H_
#define QUARNEL_UI_RULES_LIST_EDITING_H_

#include "ui/rules/controls.h"

namespace quarnel {

// Key codes as the settings window's list and text boxes report them.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyDelete = 46;

// The editing rules of one list group of the settings window: a list box and
// its entry line. There is no reordering, no editing in place and no sorting;
// an item is changed by selecting it, editing the entry line, adding it and
// deleting the old one.

// Appends the entry line's text as the new last item, exactly as typed (not
// trimmed, duplicates allowed). An empty entry line adds nothing. The entry
// line keeps its text.
void AddEntry(ListBox& list, const TextBox& entry);

// Removes the selected item k and selects position k (the item that
// followed), or k - 1 when k was the last one, or nothing when the list is
// now empty. Does nothing without a selection.
void DeleteSelected(ListBox& list);

// Copies the selected item into the entry line; does nothing without a
// selection.
void CopySelection(const ListBox& list, TextBox& entry);

// Key up in the list box: copy first, then delete on the Delete key, so the
// entry line holds the deleted item afterwards.
void ListKeyUp(ListBox& list, TextBox& entry, int key_code);

// Key up in the entry line: Enter adds.
void EntryKeyUp(ListBox& list, const TextBox& entry, int key_code);

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_LIST_EDITING_H_
