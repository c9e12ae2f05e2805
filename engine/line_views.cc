#include "engine/line_views.h"

namespace quarnel {

LineViews::LineViews(const LineList& lines) {
  lines_.reserve(lines.size());
  for (const std::string& line : lines) Add(line);
}

std::size_t LineViews::ContentSize(std::size_t i) const {
  std::size_t size = lines_[i].own.size();
  for (std::uint32_t p = lines_[i].first; p != kNoPiece; p = pieces_[p].next) {
    size += pieces_[p].text.size() + (pieces_[p].blank ? 1 : 0);
  }
  return size;
}

void LineViews::Link(std::size_t i, std::uint32_t first, std::uint32_t last) {
  Line& line = lines_[i];
  if (line.first == kNoPiece) {
    line.first = first;
  } else {
    pieces_[line.last].next = first;
  }
  line.last = last;
}

void LineViews::TakeNext(std::size_t i) {
  const auto piece = static_cast<std::uint32_t>(pieces_.size());
  pieces_.push_back({lines_[i + 1].own, kNoPiece, true});
  lines_[i + 1] = Line{};
  Link(i, piece, piece);
}

void LineViews::Pull(std::size_t i, std::size_t onto) {
  const Line moved = lines_[i];
  const auto piece = static_cast<std::uint32_t>(pieces_.size());
  pieces_.push_back({moved.own, moved.first, false});
  lines_[i] = Line{};
  Link(onto, piece, moved.first == kNoPiece ? piece : moved.last);
}

void LineViews::AppendContent(std::size_t i, std::string& out) const {
  out += lines_[i].own;
  for (std::uint32_t p = lines_[i].first; p != kNoPiece; p = pieces_[p].next) {
    if (pieces_[p].blank) out += ' ';
    out += pieces_[p].text;
  }
}

std::string LineViews::Content(std::size_t i) const {
  std::string content;
  content.reserve(ContentSize(i));
  AppendContent(i, content);
  return content;
}

LineList LineViews::ToLineList() const {
  LineList lines;
  lines.reserve(size());
  for (std::size_t i = 0; i < size(); ++i) lines.push_back(Content(i));
  return lines;
}

}  // namespace quarnel
