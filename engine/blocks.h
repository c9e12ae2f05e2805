#ifndef QUARNEL_ENGINE_BLOCKS_H_
#define QUARNEL_ENGINE_BLOCKS_H_

#include <cstddef>
#include <string_view>
#include <vector>

namespace quarnel {

// The bytes of a page that the rules never touch: the content of a <pre>,
// <textarea>, <script> or <style> element, from just after its opening
// tag's ">" to just before its closing tag (or the end of the page).
struct BlockContent {
  std::size_t begin = 0;
  std::size_t end = 0;  // one past the last byte; never equal to `begin`
};

// Every block's content in a page's bytes, in order, never overlapping.
// The scan reads bytes, not lines:
// - outside a block, "<!--" opens a comment that ends at the first "-->"
//   starting after those four bytes; nothing inside a comment opens a block;
// - an opening tag is "<" and one of the four names in any ASCII letter
//   case, followed by a blank, tab, CR, LF, form feed, "/" or ">"; it ends
//   at the next ">" outside a quoted ("..." or '...') stretch. One whose ">"
//   never comes opens nothing, and nothing after it opens a block;
// - the content ends at the first closing tag of the same name ("</", the
//   name in any case, then one of the same delimiters); nothing inside it
//   opens a block or a comment.
// "<" and "/" never occur inside a CP932 character, so the scan holds for
// CP932 and UTF-8 pages alike. Blocks with empty content are left out.
std::vector<BlockContent> FindBlocks(std::string_view text);

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_BLOCKS_H_
