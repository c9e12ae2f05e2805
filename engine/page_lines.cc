#include "engine/page_lines.h"

#include <algorithm>
#include <cstring>

#include "engine/blocks.h"

namespace quarnel {
namespace {

std::size_t Find(std::string_view text, char c, std::size_t from) {
  const void* hit =
      from < text.size() ? std::memchr(text.data() + from, c, text.size() - from) : nullptr;
  return hit == nullptr ? text.size()
                        : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

// The next CR or LF, from two memchr searches that each run ahead of the
// other: in a CR LF page the LF is found right behind its CR.
class BreakFinder {
 public:
  explicit BreakFinder(std::string_view text)
      : text_(text), cr_(Find(text, '\r', 0)), lf_(Find(text, '\n', 0)) {}

  bool HasCr() const { return cr_ < text_.size(); }

  std::size_t Next(std::size_t from) {
    if (cr_ < from) cr_ = Find(text_, '\r', from);
    if (lf_ < from) lf_ = Find(text_, '\n', from);
    return std::min(cr_, lf_);
  }

 private:
  std::string_view text_;
  std::size_t cr_;
  std::size_t lf_;
};

// How often `c` occurs in `text`. Byte-wide sums over short stretches let
// the compiler count sixteen or more bytes at a time.
std::size_t CountByte(std::string_view text, char c) {
  std::size_t total = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.size(), at + 255);
    std::uint8_t sum = 0;
    for (; at < end; ++at) sum = static_cast<std::uint8_t>(sum + (text[at] == c ? 1 : 0));
    total += sum;
  }
  return total;
}

// Marks the lines from the block contents as the split finds them; both
// run forward through the text.
class BlockMarker {
 public:
  explicit BlockMarker(const std::vector<BlockContent>& blocks) : blocks_(blocks) {}

  // The mark of the line of bytes [begin, end) whose line end takes
  // [end, next).
  std::uint8_t Mark(std::size_t begin, std::size_t end, std::size_t next) {
    while (at_ < blocks_.size() && blocks_[at_].end <= begin) ++at_;
    std::uint8_t mark = kLineFree;
    if (at_ < blocks_.size() && blocks_[at_].begin < next) mark |= kLineInBlock;
    if (end == next) return mark;
    for (std::size_t b = at_; b < blocks_.size() && blocks_[b].begin <= end; ++b) {
      if (end < blocks_[b].end) mark |= kLineInBlock | kLineEndInBlock;
    }
    return mark;
  }

 private:
  const std::vector<BlockContent>& blocks_;
  std::size_t at_ = 0;
};

}  // namespace

PageLines ReadPageLines(std::string_view text) {
  PageLines page;
  BreakFinder breaks(text);
  page.line_end = breaks.HasCr() ? LineEnd::kCrLf : LineEnd::kLf;
  const std::vector<BlockContent> blocks = FindBlocks(text);
  page.has_blocks = !blocks.empty();
  // Nearly every page ends its lines in LF or CR LF: counting the LFs once
  // spares the list its growing copies (a CR-only page still grows it).
  const std::size_t lines = CountByte(text, '\n') + 1;
  page.lines.reserve(lines);
  if (page.has_blocks) page.marks.reserve(lines);
  BlockMarker marker(blocks);
  std::size_t begin = 0;
  do {
    const std::size_t end = breaks.Next(begin);
    std::size_t next = end;
    if (next < text.size()) {
      next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
    }
    page.lines.emplace_back(text.substr(begin, end - begin));
    if (page.has_blocks) page.marks.push_back(marker.Mark(begin, end, next));
    begin = next;
  } while (begin < text.size());
  return page;
}

}  // namespace quarnel
