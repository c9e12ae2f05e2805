#include "engine/page_lines.h"

#include <utility>

#include "engine/blocks.h"
#include "engine/byte_masks.h"
#include "engine/opt_out.h"

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

// Hands the stretch's "<" that may open a comment or block to `blocks`, and
// looks for the opt-out marker at its comment opens until one is seen.
void LookAtTags(const Stretch& stretch, std::string_view text, std::size_t base,
                BlockFinder& blocks, bool& marker_seen) {
  const TagStarts starts = TagStartsIn(stretch, text, base);
  for (std::uint64_t tags = starts.tags; tags != 0; tags &= tags - 1) {
    blocks.Look(base + LowestBit(tags));
  }
  for (std::uint64_t bangs = starts.comments; bangs != 0 && !marker_seen; bangs &= bangs - 1) {
    marker_seen = OptOutMarkerAt(text, base + LowestBit(bangs));
  }
}

}  // namespace

// One pass over the bytes, a stretch at a time, finds all the rules need
// before they run: the line ends, the blocks and the lines they touch, a
// trace of the opt-out marker, and the first byte the encoding must look at.
PageViews ReadPageViews(std::string_view text) {
  PageViews page;
  // Most lines of a page are shorter than this; the list grows past it.
  page.lines.Reserve(text.size() / 24 + 1);
  BlockFinder blocks(text);
  BlockMarker marker(blocks.Found());
  const auto add_line = [&](std::size_t begin, std::size_t end, std::size_t next) {
    page.lines.Add(text.substr(begin, end - begin));
    if (blocks.Found().empty()) return;
    // The lines before the first block touch none.
    page.marks.resize(page.lines.size() - 1, kLineFree);
    page.marks.push_back(marker.Mark(begin, end, next));
  };
  bool has_cr = false;
  std::size_t begin = 0;
  for (std::size_t base = 0; base < text.size(); base += Stretch::kSize) {
    const Stretch stretch(text, base);
    // The "<" come first: a block that a line of this stretch touches opens
    // at a "<" of this stretch or an earlier one.
    if (base + Stretch::kSize > blocks.NextLook() || !page.marker_seen) {
      LookAtTags(stretch, text, base, blocks, page.marker_seen);
    }
    if (page.first_high_byte == std::string_view::npos) {
      const std::uint64_t high = stretch.High();
      if (high != 0) page.first_high_byte = base + LowestBit(high);
    }
    // Every CR and LF; the LF of a CR LF ends no line.
    for (std::uint64_t breaks = stretch.EqualAny('\r', '\n'); breaks != 0; breaks &= breaks - 1) {
      const std::size_t end = base + LowestBit(breaks);
      if (end < begin) continue;
      std::size_t next = end + 1;
      if (text[end] == '\r') {
        has_cr = true;
        if (next < text.size() && text[next] == '\n') ++next;
      }
      add_line(begin, end, next);
      begin = next;
    }
  }
  if (page.lines.size() == 0 || begin < text.size()) add_line(begin, text.size(), text.size());
  page.has_blocks = !blocks.Found().empty();
  page.line_end = has_cr ? LineEnd::kCrLf : LineEnd::kLf;
  return page;
}

PageLines ReadPageLines(std::string_view text) {
  PageViews views = ReadPageViews(text);
  return PageLines{views.lines.ToLineList(), std::move(views.marks), views.line_end,
                   views.has_blocks};
}

}  // namespace quarnel
