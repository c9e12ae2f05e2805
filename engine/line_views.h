#ifndef QUARNEL_ENGINE_LINE_VIEWS_H_
#define QUARNEL_ENGINE_LINE_VIEWS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_list.h"

namespace quarnel {

// A page's lines as the rules change them, without copying a byte. Each line
// is a view into text that outlives the LineViews (the page's buffer): a
// trim narrows the view, a removal empties it. A join or a pull appends the
// views it moves as pieces after the line's own view, so a line's content is
// its own view followed by its pieces, each after one blank when it came
// from a join. No allocation per line: the lines live in one vector, the
// pieces in another.
class LineViews {
 public:
  LineViews() = default;
  // Views into every line of `lines`, which must outlive this object.
  explicit LineViews(const LineList& lines);

  void Reserve(std::size_t lines) { lines_.reserve(lines); }
  void Add(std::string_view line) { lines_.push_back({line}); }

  std::size_t size() const { return lines_.size(); }

  // The line's own view (its content before any join or pull onto it).
  std::string_view Own(std::size_t i) const { return lines_[i].own; }
  // Narrows or empties the line's own view; `view` lies within it.
  void SetOwn(std::size_t i, std::string_view view) { lines_[i].own = view; }

  bool HasPieces(std::size_t i) const { return lines_[i].first != kNoPiece; }
  bool Empty(std::size_t i) const { return lines_[i].own.empty() && !HasPieces(i); }
  // The byte count of the line's content.
  std::size_t ContentSize(std::size_t i) const;

  // Appends line `i + 1`'s own view to line `i` after one blank and empties
  // line `i + 1`, which holds no pieces yet.
  void TakeNext(std::size_t i);
  // Appends line `i`'s whole content to line `onto` and empties line `i`.
  void Pull(std::size_t i, std::size_t onto);

  // Calls f(blank, text) for each piece after the line's own view, in order.
  template <typename F>
  void ForEachPiece(std::size_t i, F f) const {
    for (std::uint32_t p = lines_[i].first; p != kNoPiece; p = pieces_[p].next) {
      f(pieces_[p].blank, pieces_[p].text);
    }
  }

  // Appends the line's content to `out`.
  void AppendContent(std::size_t i, std::string& out) const;
  std::string Content(std::size_t i) const;
  // Every line's content as a list of its own.
  LineList ToLineList() const;

 private:
  static constexpr std::uint32_t kNoPiece = UINT32_MAX;

  struct Line {
    std::string_view own;
    std::uint32_t first = kNoPiece;  // the first piece after `own`
    std::uint32_t last = kNoPiece;   // the last one, to append in one step
  };
  struct Piece {
    std::string_view text;
    std::uint32_t next = kNoPiece;
    bool blank = false;  // one blank goes before the text
  };

  // Links the chain [first, last] after line `i`'s pieces.
  void Link(std::size_t i, std::uint32_t first, std::uint32_t last);

  std::vector<Line> lines_;
  std::vector<Piece> pieces_;
};

}  // namespace quarnel

#endif  // QUARNEL_ENGINE_LINE_VIEWS_H_
