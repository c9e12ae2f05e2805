#include "engine/blocks.h"

#include <array>
#include <cstring>

namespace quarnel {
namespace {

constexpr std::array<std::string_view, 4> kBlockNames = {"pre", "textarea", "script", "style"};
constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";
constexpr std::size_t kNone = std::string_view::npos;

bool IsNameEnd(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '/' || c == '>';
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// True when `name` (lower case) stands at `at` in any ASCII letter case and
// is followed by a delimiter.
bool NameAt(std::string_view text, std::size_t at, std::string_view name) {
  if (text.size() - at <= name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (LowerAscii(text[at + i]) != name[i]) return false;
  }
  return IsNameEnd(text[at + name.size()]);
}

// The block name that starts at `at`, or an empty view.
std::string_view BlockNameAt(std::string_view text, std::size_t at) {
  if (at >= text.size()) return {};
  const char first = LowerAscii(text[at]);
  for (const std::string_view name : kBlockNames) {
    if (name[0] == first && NameAt(text, at, name)) return name;
  }
  return {};
}

std::size_t Find(std::string_view text, char c, std::size_t from) {
  if (from >= text.size()) return kNone;
  const void* hit = std::memchr(text.data() + from, c, text.size() - from);
  return hit == nullptr ? kNone
                        : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

// The ">" that ends a tag whose name ends just before `from`, passing over
// quoted stretches; kNone when it never comes.
std::size_t TagEnd(std::string_view text, std::size_t from) {
  for (std::size_t at = from; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '>') return at;
    if (c == '"' || c == '\'') {
      at = Find(text, c, at + 1);
      if (at == kNone) return kNone;
    }
  }
  return kNone;
}

// The "<" of the first closing tag of `name` at or after `from`, or kNone.
std::size_t ClosingTag(std::string_view text, std::size_t from, std::string_view name) {
  for (std::size_t lt = Find(text, '<', from); lt != kNone; lt = Find(text, '<', lt + 1)) {
    if (lt + 1 < text.size() && text[lt + 1] == '/' && NameAt(text, lt + 2, name)) return lt;
  }
  return kNone;
}

}  // namespace

std::vector<BlockContent> FindBlocks(std::string_view text) {
  std::vector<BlockContent> blocks;
  std::size_t at = 0;
  while ((at = Find(text, '<', at)) != kNone) {
    if (text.substr(at, kCommentOpen.size()) == kCommentOpen) {
      const std::size_t close = text.find(kCommentClose, at + kCommentOpen.size());
      if (close == kNone) break;
      at = close + kCommentClose.size();
      continue;
    }
    const std::string_view name = BlockNameAt(text, at + 1);
    if (name.empty()) {
      ++at;
      continue;
    }
    const std::size_t gt = TagEnd(text, at + 1 + name.size());
    if (gt == kNone) break;
    const std::size_t close = ClosingTag(text, gt + 1, name);
    const std::size_t end = close == kNone ? text.size() : close;
    if (end > gt + 1) blocks.push_back({gt + 1, end});
    if (close == kNone) break;
    at = close + 2 + name.size();
  }
  return blocks;
}

}  // namespace quarnel
