#include "engine/join_lines.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/trim.h"

namespace quarnel {
namespace {

constexpr std::string_view kCommentClose = "->";

// The position of the first "<!-" in the line, or npos. Looks for the rare
// "!" rather than the "<" that almost every line holds many times.
std::size_t FindCommentOpen(std::string_view line) {
  std::size_t bang = 0;
  while ((bang = line.find('!', bang)) != std::string_view::npos) {
    if (bang > 0 && line[bang - 1] == '<' && bang + 1 < line.size() && line[bang + 1] == '-') {
      return bang - 1;
    }
    ++bang;
  }
  return std::string_view::npos;
}

// True when the line opens a comment that it does not close itself. Only the
// first opening counts; the close is looked for from the opening's "!" on,
// so "<!->" closes on its own line.
bool OpensUnclosedComment(std::string_view line) {
  const std::size_t open = FindCommentOpen(line);
  return open != std::string_view::npos &&
         line.find(kCommentClose, open + 1) == std::string_view::npos;
}

// The JoinTags items grouped by length, so that a line is compared only with
// the items of its own length. Empty items pull nothing.
class JoinTagSet {
 public:
  JoinTagSet(const ItemList& tags, Encoding encoding) : encoding_(encoding) {
    for (const std::string& tag : tags) {
      if (!tag.empty()) tags_.push_back(tag);
    }
    std::stable_sort(tags_.begin(), tags_.end(),
                     [](std::string_view a, std::string_view b) { return a.size() < b.size(); });
    for (std::size_t i = tags_.size(); i-- > 0;) {
      const std::size_t length = tags_[i].size();
      if (length < kIndexed) first_of_length_[length] = i + 1;
    }
  }

  bool Contains(std::string_view line) const {
    std::size_t i = 0;
    if (line.size() < kIndexed) {
      i = first_of_length_[line.size()];
      if (i-- == 0) return false;
    }
    for (; i < tags_.size() && tags_[i].size() <= line.size(); ++i) {
      if (tags_[i].size() == line.size() && EqualsIgnoreAsciiCase(line, tags_[i], encoding_)) {
        return true;
      }
    }
    return false;
  }

  // The same for line `i` of `lines`; a line with pieces is put together in
  // `scratch` first, but only when some item has its length.
  bool ContainsLine(const LineViews& lines, std::size_t i, std::string& scratch) const {
    if (!lines.HasPieces(i)) return Contains(lines.Own(i));
    const std::size_t size = lines.ContentSize(i);
    if (tags_.empty() || size > tags_.back().size()) return false;
    if (size < kIndexed && first_of_length_[size] == 0) return false;
    scratch.clear();
    lines.AppendContent(i, scratch);
    return Contains(scratch);
  }

 private:
  static constexpr std::size_t kIndexed = 64;

  Encoding encoding_;
  std::vector<std::string_view> tags_;  // shortest first
  // One more than the index of the first item of each short length; 0: none.
  std::array<std::size_t, kIndexed> first_of_length_{};
};

// Hands out the lines to the preparer a block at a time, ahead of need.
class Frontier {
 public:
  Frontier(LineViews& lines, LinePreparer* preparer)
      : lines_(lines), preparer_(preparer), end_(preparer == nullptr ? lines.size() : 0) {}

  // Makes sure line `i` has been prepared.
  void Reach(std::size_t i) {
    if (i < end_) return;
    const std::size_t end = std::min(lines_.size(), i + kBlock);
    preparer_->Prepare(lines_, end_, end);
    end_ = end;
  }

  // Prepares whatever the join pass did not reach.
  void Finish() {
    if (end_ < lines_.size()) Reach(lines_.size() - 1);
  }

 private:
  static constexpr std::size_t kBlock = 512;
  LineViews& lines_;
  LinePreparer* const preparer_;
  std::size_t end_;
};

// Appends line `i + 1`, trimmed at both ends, to line `i` after one blank.
void JoinWithNext(LineViews& lines, std::size_t i) {
  std::string_view next = lines.Own(i + 1);
  TrimView(next, true);
  lines.SetOwn(i + 1, next);
  lines.TakeNext(i);
}

bool Join(LineViews& lines, const LineMarks& marks, const ItemList& joinTags, Encoding encoding,
          Frontier& frontier) {
  if (lines.size() == 0) return false;
  const std::size_t last = lines.size() - 1;
  const JoinTagSet tags(joinTags, encoding);
  std::string scratch;  // a joined line's content, when a tag may match it
  bool changed = false;
  // The greatest index below the visited one whose line is not empty or is
  // protected. Lines above the visited one only ever grow, so this never
  // needs a rescan.
  std::optional<std::size_t> above;
  auto note_above = [&](std::size_t k) {
    if (!lines.Empty(k) || Protected(marks, k)) above = k;
  };

  std::size_t i = 0;
  while (i <= last) {
    frontier.Reach(i < last ? i + 1 : i);
    // Until the visit of line i, nothing has been joined or pulled onto it:
    // its own view is all of it.
    const std::string_view line = lines.Own(i);
    if (i < last && OpensUnclosedComment(line)) {
      // Leave the comment's lines untouched and go on after its closing line.
      std::size_t k = i;
      do {
        note_above(k);
        ++k;
        if (k <= last) frontier.Reach(k);
      } while (k <= last && lines.Own(k).find(kCommentClose) == std::string_view::npos);
      if (k > last) return changed;
      note_above(k);
      i = k + 1;
      continue;
    }
    if (Protected(marks, i)) {
      above = i;
      ++i;
      continue;
    }
    if (i < last && !line.empty() && line.back() != '>' && !Protected(marks, i + 1)) {
      JoinWithNext(lines, i);
      changed = true;
    }
    if (above && !Protected(marks, *above) && tags.ContainsLine(lines, i, scratch)) {
      lines.Pull(i, *above);
      changed = true;
    }
    note_above(i);
    ++i;
  }
  return changed;
}

}  // namespace

bool JoinLines(LineList& lines, const ItemList& joinTags, Encoding encoding) {
  return JoinLines(lines, LineMarks{}, joinTags, encoding);
}

bool JoinLines(LineList& lines, const LineMarks& marks, const ItemList& joinTags,
               Encoding encoding) {
  LineViews views(lines);
  Frontier frontier(views, nullptr);
  const bool changed = Join(views, marks, joinTags, encoding, frontier);
  LineList joined = views.ToLineList();
  lines.swap(joined);
  return changed;
}

bool JoinLines(LineViews& lines, const LineMarks& marks, const ItemList& joinTags,
               Encoding encoding, LinePreparer& preparer) {
  Frontier frontier(lines, &preparer);
  const bool changed = Join(lines, marks, joinTags, encoding, frontier);
  frontier.Finish();
  return changed;
}

}  // namespace quarnel
