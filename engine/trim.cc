#include "engine/trim.h"

#include <cstring>

namespace quarnel {

bool TrimView(std::string_view& line, bool compactFlag) {
  if (line.empty()) return true;
  std::size_t end = line.size();
  while (end > 0 && IsLayoutBlank(line[end - 1])) --end;
  if (end == 0) return false;  // blanks only: left as it is
  std::size_t first = 0;
  if (compactFlag) {
    while (IsLayoutBlank(line[first])) ++first;
  }
  const bool changed = first > 0 || end < line.size();
  line = line.substr(first, end - first);
  return changed;
}

bool TrimLine(std::string& line, bool compactFlag) {
  std::string_view view = line;
  const bool changed = TrimView(view, compactFlag);
  const std::size_t first = static_cast<std::size_t>(view.data() - line.data());
  if (first > 0) std::memmove(line.data(), view.data(), view.size());
  line.resize(view.size());
  return changed;
}

}  // namespace quarnel
