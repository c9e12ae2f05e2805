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

}  // namespace

TagStarts TagStartsIn(const Stretch& stretch, std::string_view text, std::size_t base) {
  const std::uint64_t opens = stretch.Equal('<');
  if (opens == 0) return {};
  // The byte after each one: the stretch's own masks moved down by one,
  // and the first byte of the next stretch for the last.
  const std::size_t beyond = base + Stretch::kSize;
  const char next = beyond < text.size() ? LowerAscii(text[beyond]) : '\0';
  const std::uint64_t bang = (stretch.Equal('!') >> 1) | (std::uint64_t{next == '!'} << 63);
  const std::uint64_t letter = (stretch.EqualAnyLetter('p', 't', 's') >> 1) |
                               (std::uint64_t{next == 'p' || next == 't' || next == 's'} << 63);
  return {opens & (bang | letter), opens & bang};
}

void BlockFinder::Look(std::size_t at) {
  if (at < next_) return;
  if (text_.substr(at, kCommentOpen.size()) == kCommentOpen) {
    const std::size_t close = text_.find(kCommentClose, at + kCommentOpen.size());
    next_ = close == kNone ? kNone : close + kCommentClose.size();
    return;
  }
  const std::string_view name = BlockNameAt(text_, at + 1);
  if (name.empty()) return;
  // A tag whose ">" never comes opens nothing, and nothing after it does.
  const std::size_t gt = TagEnd(text_, at + 1 + name.size());
  if (gt == kNone) {
    next_ = kNone;
    return;
  }
  const std::size_t close = ClosingTag(text_, gt + 1, name);
  const std::size_t end = close == kNone ? text_.size() : close;
  if (end > gt + 1) blocks_.push_back({gt + 1, end});
  next_ = close == kNone ? kNone : close + 2 + name.size();
}

std::vector<BlockContent> FindBlocks(std::string_view text) {
  BlockFinder finder(text);
  for (std::size_t base = 0; base < text.size() && finder.NextLook() < text.size();
       base += Stretch::kSize) {
    if (base + Stretch::kSize <= finder.NextLook()) continue;
    for (std::uint64_t tags = TagStartsIn(Stretch(text, base), text, base).tags; tags != 0;
         tags &= tags - 1) {
      finder.Look(base + LowestBit(tags));
    }
  }
  return finder.Found();
}

}  // namespace quarnel
