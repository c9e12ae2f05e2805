#ifndef QUARNEL_TESTS_FUZZ_FUZZ_INPUT_H_
#define QUARNEL_TESTS_FUZZ_FUZZ_INPUT_H_

// What the page harnesses read from the fuzzer's bytes.

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_list.h"

namespace quarnel::fuzzing {

struct Input {
  std::string page;
  std::vector<ItemList> lists = std::vector<ItemList>(3);  // JoinTags, DeleteLines, HeadLines
};

// Four groups separated by 0x01: the page's bytes, then the three lists,
// their items separated by CR.
inline Input Parse(std::string_view data) {
  Input input;
  const std::size_t end = data.find('\x01');
  input.page = data.substr(0, end);
  std::size_t list = 0;
  for (std::size_t at = end; at < data.size(); ++at) {
    const char c = data[at];
    if (c == '\x01') {
      if (at != end && list + 1 < input.lists.size()) ++list;
      input.lists[list].emplace_back();
    } else if (c == '\r') {
      input.lists[list].emplace_back();
    } else {
      input.lists[list].back() += c;
    }
  }
  // A list holding one empty item is an empty list.
  for (ItemList& items : input.lists) {
    if (items.size() == 1 && items[0].empty()) items.clear();
  }
  return input;
}

inline void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace quarnel::fuzzing

#endif  // QUARNEL_TESTS_FUZZ_FUZZ_INPUT_H_
