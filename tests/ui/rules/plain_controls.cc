#include "tests/ui/rules/plain_controls.h"

namespace quarnel {

void PlainListBox::Remove(int position) {
  items_.erase(items_.begin() + position);
  // A list box keeps no selection on a removed item.
  if (selected_ == position) {
    selected_ = kNoSelection;
  } else if (selected_ > position) {
    --selected_;
  }
}

void PlainListBox::Clear() {
  items_.clear();
  selected_ = kNoSelection;
}

}  // namespace quarnel
