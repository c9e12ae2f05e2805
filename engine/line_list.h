#ifndef QUARNEL_ENGINE_LINE_LIST_H_
#define QUARNEL_ENGINE_LINE_LIST_H_

#include <string>
#include <vector>

namespace quarnel {

// One file in memory: its lines in order, each without line-end characters,
// as bytes in the file's own encoding. Never fewer than one line (an empty
// file is one empty line). Rules blank a line instead of removing it; the
// writer leaves empty lines out.
using LineList = std::vector<std::string>;

// An ordered list of single-line items (DeleteLines, JoinTags, HeadLines).
// Its size is the item count.
using ItemList = std::vector<std::string>;

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_LINE_LIST_H_
