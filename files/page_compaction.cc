#include "files/page_compaction.h"

#include <string_view>
#include <utility>

#include "engine/compact_lines.h"
#include "engine/line_split.h"
#include "engine/opt_out.h"
#include "files/file_form.h"
#include "files/text_encoding.h"

namespace quarnel {

CompactedPage CompactPage(const WorkItems& items, std::string bytes, const PageCompaction& how) {
  (void)how;
  CompactedPage page;
  const std::size_t mark = bytes.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
  const std::string_view text = std::string_view(bytes).substr(mark);
  const bool compactFlag = CompactFlag(items.CompactMode());
  // An opted-out file is never rewritten: it need not even be decoded.
  if (HoldsOptOutLine(text, compactFlag)) return page;

  const EncodedSettings& settings = items.For(DetectEncoding(bytes));
  const std::string byteOrderMark(bytes, 0, mark);
  LineList lines = SplitLines(text);
  static const ItemList kNoItems;
  if (!CompactLines(lines, compactFlag, compactFlag ? settings.JoinTags : kNoItems,
                    settings.DeleteLines, settings.context)) {
    return page;
  }
  FileFrame frame;
  frame.byte_order_mark = byteOrderMark;
  frame.write_signature = settings.context.write_signature;
  frame.insert_head_lines = settings.context.insert_head_lines;
  frame.head_lines = &settings.context.head_lines;
  page.rewrite = true;
  page.bytes = FormatFile(lines, frame, std::move(bytes));
  return page;
}

}  // namespace quarnel
