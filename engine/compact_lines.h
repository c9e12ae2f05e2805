#ifndef QUARNEL_ENGINE_COMPACT_LINES_H_
#define QUARNEL_ENGINE_COMPACT_LINES_H_

#include <cstdint>
#include <string_view>

#include "base/product.h"
#include "engine/line_list.h"
#include "engine/line_views.h"
#include "engine/opt_out.h"
#include "engine/page_lines.h"
#include "engine/text_compare.h"

namespace quarnel {

// The comment line written at the top of a rewritten file when the
// signature is on. The engine removes any copy already in the file.
inline constexpr std::string_view SignatureLine =
    "<!HTML SIZE WORKED BY \"" QUARNEL_PRODUCT_NAME "\" " QUARNEL_HOME_PAGE ">";

// Where the scan stands relative to the document head; moves only forward.
enum class HeadState { BeforeHead = 0, InHead = 1, AfterHead = 2 };

// The engine's flag: trim both ends and pull JoinTags exactly when the
// CompactMode setting is 1.
constexpr bool CompactFlag(std::int32_t compactMode) { return compactMode == 1; }

// What the engine needs to know beyond its four arguments: the file's
// encoding and the head settings, with every item already in that encoding.
struct CompactContext {
  Encoding encoding = Encoding::kUtf8;
  bool write_signature = false;    // a fresh signature is written
  bool insert_head_lines = false;  // head_lines are inserted after <HEAD>
  // The caller has already found that the file holds no OptOutMarker line
  // (HoldsOptOutMarker on its scan), so the lines need not be searched again.
  bool opt_out_checked = false;
  ItemList head_lines;
};

// Compacts one file's lines and answers whether the file must be rewritten
// from them. Each line is trimmed, deleted when it ends with a `deleteLines`
// item, cleared of old signatures and head lines, and then the join pass
// runs. The line count never changes; removed lines are blanked. When a line
// equals OptOutMarker the result is false and `lines` is exactly as passed
// in. A file without a line containing "<HEAD>" is never to be rewritten.
bool CompactLines(LineList& lines, bool compactFlag, const ItemList& joinTags,
                  const ItemList& deleteLines, const CompactContext& context);

// The same for a page whose lines carry marks (ReadPageLines). A protected
// line is left exactly as it is and where it is: not trimmed, not blanked,
// not joined or pulled, and the opt-out test sees it untrimmed. A head-line
// copy in a block's content is neither removed nor counted; a copy whose
// blocks all open and close on its own line (such as "<style>p{}</style>")
// is removed and counted as any other, and its mark cleared, since the
// writer puts the item back. When the first line containing "<HEAD>" ends
// inside a block, the head-line rules are off for the page (the writer
// inserts nothing there either).
bool CompactLines(LineList& lines, LineMarks& marks, bool compactFlag, const ItemList& joinTags,
                  const ItemList& deleteLines, const CompactContext& context);

// The same over views into the page's bytes (see LineViews): the rules
// narrow, empty, join and pull views, and no line is copied. When the page
// opts out, `lines` and `marks` are left as they were.
bool CompactLines(LineViews& lines, LineMarks& marks, bool compactFlag, const ItemList& joinTags,
                  const ItemList& deleteLines, const CompactContext& context);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_COMPACT_LINES_H_
