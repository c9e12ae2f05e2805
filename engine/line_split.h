#ifndef QUARNEL_ENGINE_LINE_SPLIT_H_
#define QUARNEL_ENGINE_LINE_SPLIT_H_

#include <string_view>

#include "engine/line_list.h"

namespace quarnel {

// Splits a file's bytes into lines. A line ends at CR LF or at a lone CR; a
// lone LF stays inside its line. An empty input gives one empty line, and a
// final line end adds no empty line.
LineList SplitLines(std::string_view bytes);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_LINE_SPLIT_H_
