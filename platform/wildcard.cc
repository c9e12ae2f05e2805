#include "platform/wildcard.h"

#include <cstddef>

#include "platform/ascii_case.h"

namespace quarnel {
namespace {

// The length of the character that starts at name[i]: one byte, plus the
// continuation bytes that follow a UTF-8 lead byte.
std::size_t CharLength(std::string_view name, std::size_t i) {
  std::size_t end = i + 1;
  if (static_cast<unsigned char>(name[i]) >= 0xC0) {
    while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) ++end;
  }
  return end - i;
}

// Glob matching with backtracking to the most recent "*"; linear for the
// patterns searches use, quadratic at worst.
bool Match(std::string_view pattern, std::string_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starP = std::string_view::npos;
  std::size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += CharLength(name, n);
    } else if (p < pattern.size() && FoldAscii(pattern[p]) == FoldAscii(name[n])) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      starN += CharLength(name, starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (Match(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos) {
    return Match(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

}  // namespace quarnel
