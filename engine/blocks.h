#ifndef QUARNEL_ENGINE_BLOCKS_H_
#define QUARNEL_ENGINE_BLOCKS_H_

#include <cstddef>
#include <cstdint>
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

class Stretch;

// The "<" in one stretch of `text` from `base` that may matter to the scan:
// `tags` those followed by "!" or by the first letter of a block name (in
// any case, and a few more), `comments` those followed by "!". Most of a
// page's "<" open other tags and are in neither.
struct TagStarts {
  std::uint64_t tags = 0;
  std::uint64_t comments = 0;
};
TagStarts TagStartsIn(const Stretch& stretch, std::string_view text, std::size_t base);

// FindBlocks a "<" at a time, so that a scan that reads a page's bytes for
// more than its blocks can find them on its way.
class BlockFinder {
 public:
  explicit BlockFinder(std::string_view text) : text_(text) {}

  // Looks at a "<" of TagStartsIn's `tags`; they are given in order. One
  // inside a comment or block already found is passed over.
  void Look(std::size_t at);
  // No "<" before this matters any more; the text's size or more once none
  // does.
  std::size_t NextLook() const { return next_; }
  const std::vector<BlockContent>& Found() const { return blocks_; }

 private:
  std::string_view text_;
  std::size_t next_ = 0;
  std::vector<BlockContent> blocks_;
};

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_BLOCKS_H_
