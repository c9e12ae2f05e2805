#include "ui/rules/list_editing.h"

#include <gtest/gtest.h>

#include "tests/ui/rules/plain_controls.h"

namespace quarnel {
namespace {

using Items = std::vector<std::string>;

TEST(AddEntryTest, AddsTheEntryLineExactlyAsTyped) {
  PlainListBox list(Items{"a"});
  PlainTextBox entry;
  AddEntry(list, entry);
  EXPECT_EQ(list.items(), (Items{"a"})) << "an empty entry line adds nothing";

  entry.SetText("   ");
  AddEntry(list, entry);
  entry.SetText(" <p> ");
  EntryKeyUp(list, entry, kKeyEnter);
  EntryKeyUp(list, entry, kKeyEnter);
  EntryKeyUp(list, entry, kKeyDelete);
  EXPECT_EQ(list.items(), (Items{"a", "   ", " <p> ", " <p> "}));
  EXPECT_EQ(entry.Text(), " <p> ") << "the entry line keeps its text";
  EXPECT_EQ(list.Selected(), ListBox::kNoSelection);
}

struct DeleteCase {
  Items before;
  int selected;
  Items after;
  int selected_after;
};

TEST(DeleteSelectedTest, RemovesAndReselectsTheFollowerOrTheNewLast) {
  const DeleteCase cases[] = {
      {{"a", "b", "c"}, 1, {"a", "c"}, 1},  // the item that followed
      {{"a", "b", "c"}, 0, {"b", "c"}, 0},
      {{"a", "b", "c"}, 2, {"a", "b"}, 1},  // the new last item
      {{"a"}, 0, {}, ListBox::kNoSelection},
      {{"a", "b"}, ListBox::kNoSelection, {"a", "b"}, ListBox::kNoSelection},
      {{}, ListBox::kNoSelection, {}, ListBox::kNoSelection},
  };
  for (const DeleteCase& c : cases) {
    PlainListBox list(c.before);
    list.Select(c.selected);
    DeleteSelected(list);
    EXPECT_EQ(list.items(), c.after) << "selected " << c.selected;
    EXPECT_EQ(list.Selected(), c.selected_after) << "selected " << c.selected;
  }
}

TEST(ListKeyUpTest, DeleteKeyCopiesFirstThenDeletes) {
  PlainListBox list(Items{"x", "y", "z"});
  PlainTextBox entry;
  list.Select(1);
  ListKeyUp(list, entry, kKeyDelete);
  EXPECT_EQ(entry.Text(), "y") << "the entry line holds the deleted item";
  EXPECT_EQ(list.items(), (Items{"x", "z"}));
  EXPECT_EQ(list.Selected(), 1);

  ListKeyUp(list, entry, 40);  // any other key only copies
  EXPECT_EQ(entry.Text(), "z");
  EXPECT_EQ(list.items(), (Items{"x", "z"}));
}

TEST(ListKeyUpTest, NoSelectionNeitherCopiesNorDeletes) {
  PlainListBox list(Items{"x"});
  PlainTextBox entry;
  entry.SetText("typed");
  ListKeyUp(list, entry, kKeyDelete);
  CopySelection(list, entry);
  EXPECT_EQ(entry.Text(), "typed");
  EXPECT_EQ(list.items(), (Items{"x"}));
}

}  // namespace
}  // namespace quarnel
