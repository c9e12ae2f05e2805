#include "files/page_compaction.h"

#include <optional>
#include <string_view>
#include <utility>

#include "engine/compact_lines.h"
#include "engine/opt_out.h"
#include "engine/page_lines.h"
#include "files/file_form.h"
#include "files/text_encoding.h"

namespace quarnel {
namespace {

// One pass of the rules over a page's bytes. `encoding` is the page's
// encoding as read, decided by the first pass from its scan; every pass
// uses its settings. Sets `page` (blocks_kept included) and answers whether
// the page is to be rewritten. The new form goes into `storage`'s memory.
bool CompactOnce(const WorkItems& items, std::optional<Encoding>& encoding, std::string_view bytes,
                 std::string storage, CompactedPage& page) {
  const std::size_t mark = bytes.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
  const std::string_view text = bytes.substr(mark);
  const bool compactFlag = CompactFlag(items.CompactMode());
  PageViews lines = ReadPageViews(text);
  page.blocks_kept = page.blocks_kept || lines.has_blocks;
  if (HoldsOptOutMarker(lines, compactFlag)) return false;
  if (!encoding) {
    const std::size_t high = lines.first_high_byte;
    encoding = DetectEncoding(bytes, high == std::string_view::npos ? high : mark + high);
  }
  const EncodedSettings& settings = items.For(*encoding);

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
  std::optional<Encoding> encoding;
  page.rewrite = CompactOnce(items, encoding, bytes, {}, page);
  if (!page.rewrite || !how.repeat) return page;
  // Two buffers take turns: each pass reads one and writes the other.
  std::string spare;
  for (int pass = 2; pass <= kMostCompactionPasses; ++pass) {
    CompactedPage next;
    if (!CompactOnce(items, encoding, page.bytes, std::move(spare), next) ||
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
