#include "files/page_compaction.h"

#include <string_view>
#include <utility>

#include "engine/compact_lines.h"
#include "engine/opt_out.h"
#include "engine/page_lines.h"
#include "files/file_form.h"
#include "files/text_encoding.h"

namespace quarnel {
namespace {

// One pass of the rules over a page's bytes, with the settings of the
// page's encoding. Sets `page` (blocks_kept included) and answers whether
// the page is to be rewritten. The new form goes into `storage`'s memory.
bool CompactOnce(const WorkItems& items, const EncodedSettings& settings, std::string_view bytes,
                 std::string storage, CompactedPage& page) {
  const std::size_t mark = bytes.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
  const std::string_view text = bytes.substr(mark);
  const bool compactFlag = CompactFlag(items.CompactMode());
  // Most pages hold no marker line at all; only those need their blocks.
  const bool maybe_opted_out = HoldsOptOutLine(text, compactFlag);
  PageViews lines = ReadPageViews(text);
  page.blocks_kept = page.blocks_kept || lines.has_blocks;
  if (maybe_opted_out && HoldsOptOutMarker(lines.lines, lines.marks, compactFlag)) return false;

  static const ItemList kNoItems;
  if (!CompactLines(lines.lines, lines.marks, compactFlag,
                    compactFlag ? settings.JoinTags : kNoItems, settings.DeleteLines,
                    settings.context)) {
    return false;
  }
  FileFrame frame;
  frame.byte_order_mark = bytes.substr(0, mark);
  frame.write_signature = settings.context.write_signature;
  frame.insert_head_lines = settings.context.insert_head_lines;
  frame.head_lines = &settings.context.head_lines;
  frame.line_end = lines.line_end;
  frame.marks = &lines.marks;
  page.bytes = FormatFile(lines.lines, frame, std::move(storage));
  return true;
}

}  // namespace

CompactedPage CompactPage(const WorkItems& items, std::string_view bytes,
                          const PageCompaction& how) {
  CompactedPage page;
  // Every pass uses the encoding of the page as read.
  const EncodedSettings& settings = items.For(DetectEncoding(bytes));
  page.rewrite = CompactOnce(items, settings, bytes, {}, page);
  if (!page.rewrite || !how.repeat) return page;
  // Two buffers take turns: each pass reads one and writes the other.
  std::string spare;
  for (int pass = 2; pass <= kMostCompactionPasses; ++pass) {
    CompactedPage next;
    if (!CompactOnce(items, settings, page.bytes, std::move(spare), next) ||
        next.bytes == page.bytes) {
      return page;
    }
    spare = std::move(page.bytes);
    page.bytes = std::move(next.bytes);
  }
  page.still_changing = true;
  return page;
}

}  // namespace quarnel
