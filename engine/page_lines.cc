#include "engine/page_lines.h"

#include <utility>

#include "engine/blocks.h"
#include "engine/byte_masks.h"

namespace quarnel {
namespace {

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

PageViews ReadPageViews(std::string_view text) {
  PageViews page;
  const std::vector<BlockContent> blocks = FindBlocks(text);
  page.has_blocks = !blocks.empty();
  // Most lines of a page are shorter than this; the list grows past it.
  const std::size_t likely_lines = text.size() / 24 + 1;
  page.lines.Reserve(likely_lines);
  if (page.has_blocks) page.marks.reserve(likely_lines);
  BlockMarker marker(blocks);
  bool has_cr = false;
  std::size_t begin = 0;
  // Every CR and LF, a stretch at a time; the LF of a CR LF ends no line.
  for (std::size_t base = 0; base < text.size(); base += Stretch::kSize) {
    const Stretch stretch(text, base);
    std::uint64_t breaks = stretch.Equal('\r') | stretch.Equal('\n');
    for (; breaks != 0; breaks &= breaks - 1) {
      const std::size_t end = base + LowestBit(breaks);
      if (end < begin) continue;
      std::size_t next = end + 1;
      if (text[end] == '\r') {
        has_cr = true;
        if (next < text.size() && text[next] == '\n') ++next;
      }
      page.lines.Add(text.substr(begin, end - begin));
      if (page.has_blocks) page.marks.push_back(marker.Mark(begin, end, next));
      begin = next;
    }
  }
  if (page.lines.size() == 0 || begin < text.size()) {
    page.lines.Add(text.substr(begin));
    if (page.has_blocks) page.marks.push_back(marker.Mark(begin, text.size(), text.size()));
  }
  page.line_end = has_cr ? LineEnd::kCrLf : LineEnd::kLf;
  return page;
}

PageLines ReadPageLines(std::string_view text) {
  PageViews views = ReadPageViews(text);
  return PageLines{views.lines.ToLineList(), std::move(views.marks), views.line_end,
                   views.has_blocks};
}

}  // namespace quarnel
