#include "engine/trim.h"

#include <cstring>

namespace quarnel {

bool TrimLine(std::string& line, bool compactFlag) {
  if (line.empty()) return true;
  std::size_t end = line.size();
  while (end > 0 && IsLayoutBlank(line[end - 1])) --end;
  if (end == 0) return false;  // blanks only: left as it is
  std::size_t first = 0;
  if (compactFlag) {
    while (IsLayoutBlank(line[first])) ++first;
  }
  const bool changed = first > 0 || end < line.size();
  if (first > 0) std::memmove(line.data(), line.data() + first, end - first);
  line.resize(end - first);
  return changed;
}

}  // namespace quarnel
