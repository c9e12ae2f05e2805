#include "engine/trim.h"

#include <cstring>

namespace quarnel {
namespace {

// The trimming rule over any test of "is a layout blank".
template <typename IsBlank>
bool TrimWith(std::string& text, TrimMode mode, IsBlank is_blank) {
  if (text.empty()) return true;
  std::size_t end = text.size();
  while (end > 0 && is_blank(text[end - 1])) --end;
  if (end == 0) return false;  // blanks only: left as it is
  std::size_t first = 0;
  if (mode == TrimMode::BothEnds) {
    while (is_blank(text[first])) ++first;
  }
  const bool changed = first > 0 || end < text.size();
  if (first > 0) std::memmove(text.data(), text.data() + first, end - first);
  text.resize(end - first);
  return changed;
}

}  // namespace

bool TrimChars(std::string& text, TrimMode mode, std::string_view chars) {
  return TrimWith(text, mode, [chars](char c) {
    return chars.find(c) != std::string_view::npos;
  });
}

bool TrimLine(std::string& line, bool compactFlag) {
  return TrimWith(line, compactFlag ? TrimMode::BothEnds : TrimMode::Trailing,
                  IsLayoutBlank);
}

}  // namespace quarnel
