#include "engine/blocks.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "engine/byte_masks.h"

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

// The "<" that may open a comment or a block: those followed by "!" or by
// the first letter of a block name, found a stretch at a time. Most of a
// page's "<" open other tags and are passed over without a look.
class TagStarts {
 public:
  explicit TagStarts(std::string_view text) : text_(text) {}

  // The first one at or after `from`, or kNone.
  std::size_t Next(std::size_t from) {
    if (from >= text_.size()) return kNone;
    std::uint64_t mask = 0;
    if (from >= base_ && from - base_ < Stretch::kSize) {
      mask = mask_ & (~std::uint64_t{0} << (from - base_));
    } else {
      Load(from - from % Stretch::kSize);
      mask = mask_ & (~std::uint64_t{0} << (from - base_));
    }
    while (mask == 0) {
      if (base_ + Stretch::kSize >= text_.size()) return kNone;
      Load(base_ + Stretch::kSize);
      mask = mask_;
    }
    return base_ + LowestBit(mask);
  }

 private:
  void Load(std::size_t base) {
    base_ = base;
    const Stretch here(text_, base);
    const Stretch after(text_, base + 1);
    mask_ = here.Equal('<') & (after.Equal('!') | after.EqualLetter('p') | after.EqualLetter('t') |
                               after.EqualLetter('s'));
  }

  std::string_view text_;
  std::size_t base_ = kNone;
  std::uint64_t mask_ = 0;
};

}  // namespace

std::vector<BlockContent> FindBlocks(std::string_view text) {
  std::vector<BlockContent> blocks;
  TagStarts starts(text);
  std::size_t at = 0;
  while ((at = starts.Next(at)) != kNone) {
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
