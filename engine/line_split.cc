#include "engine/line_split.h"

#include <algorithm>
#include <cstring>

namespace quarnel {

LineList SplitLines(std::string_view bytes) {
  LineList lines;
  if (bytes.empty()) {
    lines.emplace_back();
    return lines;
  }
  // Every line end is a CR: counting them first spares the list its
  // growing copies, which for a large page are many megabytes.
  lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')) + 1);
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const void* hit = std::memchr(bytes.data() + pos, '\r', bytes.size() - pos);
    if (hit == nullptr) {
      lines.emplace_back(bytes.substr(pos));
      break;
    }
    const auto cr = static_cast<std::size_t>(static_cast<const char*>(hit) - bytes.data());
    lines.emplace_back(bytes.substr(pos, cr - pos));
    pos = cr + 1;
    if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
  }
  return lines;
}

}  // namespace quarnel
