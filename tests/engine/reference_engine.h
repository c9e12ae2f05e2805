#ifndef QUARNEL_TESTS_ENGINE_REFERENCE_ENGINE_H_
#define QUARNEL_TESTS_ENGINE_REFERENCE_ENGINE_H_

// A plain, unoptimised rendering of the compaction rules, used as an oracle
// by the property test and the fuzzer: it works on a copy, checks the
// opt-out marker after trimming each line, and its join pass searches from
// scratch every time. Any difference from CompactLines is a fault of the
// fast paths (the marker pre-scan, the pass that runs just ahead of the
// join, the pull's length index).

#include <string>

#include "engine/compact_lines.h"
#include "engine/line_list.h"
#include "engine/page_lines.h"
#include "engine/text_compare.h"
#include "engine/trim.h"

namespace quarnel {

// The join pass as the rules read: searches start over, nothing is cached.
inline bool ReferenceJoin(LineList& lines, const ItemList& tags, Encoding encoding,
                          const LineMarks& marks = {}) {
  const auto kept = [&](std::size_t i) { return !marks.empty() && (marks[i] & kLineInBlock); };
  const std::size_t last = lines.size() - 1;
  bool changed = false;
  std::size_t i = 0;
  while (i <= last) {
    const std::size_t open = lines[i].find("<!-");
    if (i < last && open != std::string::npos &&
        lines[i].find("->", open + 1) == std::string::npos) {
      std::size_t k = i + 1;
      while (k <= last && lines[k].find("->") == std::string::npos) ++k;
      if (k > last) return changed;
      i = k + 1;
      continue;
    }
    if (kept(i)) {
      ++i;
      continue;
    }
    if (i < last && !lines[i].empty() && lines[i].back() != '>' && !kept(i + 1)) {
      std::string next = lines[i + 1];
      TrimLine(next, true);
      lines[i] = lines[i] + " " + next;
      lines[i + 1].clear();
      changed = true;
    }
    bool is_tag = false;
    for (const std::string& tag : tags) {
      is_tag |= !tag.empty() && EqualsIgnoreAsciiCase(lines[i], tag, encoding);
    }
    for (std::size_t m = i; is_tag && m-- > 0;) {
      if (lines[m].empty() && !kept(m)) continue;
      if (kept(m)) break;
      lines[m] += lines[i];
      lines[i].clear();
      changed = true;
      break;
    }
    ++i;
  }
  return changed;
}

// The driver as the rules read: a working copy, copied back at the end.
// A protected line (marks) is left as it is, unless it is a head-line copy
// whose blocks all open and close on it: that one is removed and loses its
// mark. The head-line rules are off when the first "<HEAD>" line ends
// inside a block.
inline bool ReferenceCompact(LineList& lines, bool flag, const ItemList& joinTags,
                             const ItemList& deleteLines, const CompactContext& context,
                             LineMarks& marks) {
  const Encoding encoding = context.encoding;
  LineList work = lines;
  LineMarks work_marks = marks;
  HeadState state = HeadState::BeforeHead;
  std::size_t found = 0;
  bool changed = false;
  bool head_rules_off = false;
  // Blanks a line that equals a head-line item, counting each item it equals.
  const auto remove_head_lines = [&](std::string& line) {
    for (const std::string& item : context.head_lines) {
      if (!EqualsIgnoreAsciiCase(item, line, encoding)) continue;
      ++found;
      line.clear();
      changed |= !context.insert_head_lines;
    }
  };
  for (std::size_t i = 0; i < work.size(); ++i) {
    std::string& line = work[i];
    const std::uint8_t mark = marks.empty() ? std::uint8_t{kLineFree} : marks[i];
    if (state == HeadState::BeforeHead && ContainsIgnoreAsciiCase(line, "<HEAD>")) {
      state = HeadState::InHead;
      head_rules_off = (mark & kLineEndInBlock) != 0;
    } else if (state == HeadState::InHead && ContainsIgnoreAsciiCase(line, "</HEAD>")) {
      state = HeadState::AfterHead;
    }
    const bool missing_head_lines =
        state == HeadState::AfterHead && !head_rules_off && found != context.head_lines.size();
    if (mark & kLineInBlock) {
      if (EqualsIgnoreAsciiCase(line, OptOutMarker, encoding)) return false;
      const bool starts_in_block = i > 0 && (marks[i - 1] & kLineEndInBlock);
      if (state == HeadState::InHead && !head_rules_off && !starts_in_block &&
          !(mark & kLineEndInBlock)) {
        remove_head_lines(line);
        if (line.empty()) work_marks[i] = kLineFree;
      }
      changed |= missing_head_lines;
      continue;
    }
    changed |= TrimLine(line, flag);
    if (EqualsIgnoreAsciiCase(line, OptOutMarker, encoding)) return false;
    for (const std::string& item : deleteLines) {
      if (!item.empty() && EndsWithIgnoreAsciiCase(line, item, encoding)) {
        line.clear();
        changed = true;
      }
    }
    if (EqualsIgnoreAsciiCase(line, SignatureLine, encoding)) {
      line.clear();
      changed |= !context.write_signature;
    }
    if (state == HeadState::InHead && !head_rules_off) remove_head_lines(line);
    changed |= missing_head_lines;
  }
  changed |= ReferenceJoin(work, joinTags, encoding, work_marks);
  lines = work;
  marks = work_marks;
  return state != HeadState::BeforeHead && changed;
}

inline bool ReferenceCompact(LineList& lines, bool flag, const ItemList& joinTags,
                             const ItemList& deleteLines, const CompactContext& context) {
  LineMarks no_marks;
  return ReferenceCompact(lines, flag, joinTags, deleteLines, context, no_marks);
}

}  // namespace quarnel

#endif  // QUARNEL_TESTS_ENGINE_REFERENCE_ENGINE_H_
