#include "engine/compact_lines.h"

#include <array>

#include "engine/join_lines.h"
#include "engine/opt_out.h"
#include "engine/trim.h"
#include "platform/ascii_case.h"

namespace quarnel {
namespace {

constexpr std::string_view kHeadOpen = "<HEAD>";
constexpr std::string_view kHeadClose = "</HEAD>";

// A line makes at most one transition, tested before trimming.
HeadState TrackHead(HeadState state, std::string_view line) {
  if (state == HeadState::BeforeHead) {
    return ContainsIgnoreAsciiCase(line, kHeadOpen) ? HeadState::InHead : state;
  }
  if (state == HeadState::InHead && ContainsIgnoreAsciiCase(line, kHeadClose)) {
    return HeadState::AfterHead;
  }
  return state;
}

// The DeleteLines rule. A line can only end with an item whose last byte is
// its own last byte (ASCII letters folded), and most lines end with a byte
// that ends no item: those are passed without a single compare.
class DeleteRule {
 public:
  DeleteRule(const ItemList& items, Encoding encoding) : items_(items), encoding_(encoding) {
    for (const std::string& item : items) {
      if (!item.empty()) ends_[Index(item.back())] = true;
    }
  }

  bool Deletes(std::string_view line) const {
    if (line.empty() || !ends_[Index(line.back())]) return false;
    for (const std::string& item : items_) {
      if (EndsWithIgnoreAsciiCase(line, item, encoding_)) return true;
    }
    return false;
  }

 private:
  static std::size_t Index(char c) { return static_cast<unsigned char>(FoldAscii(c)); }

  const ItemList& items_;
  const Encoding encoding_;
  std::array<bool, 256> ends_{};
};

// Per-call bookkeeping of the first pass.
class LinePass : public LinePreparer {
 public:
  LinePass(LineMarks& marks, bool compactFlag, const ItemList& deleteLines,
           const CompactContext& context)
      : marks_(marks),
        compact_flag_(compactFlag),
        delete_rule_(deleteLines, context.encoding),
        context_(context) {}

  void Visit(LineViews& lines, std::size_t i) {
    std::string_view line = lines.Own(i);
    const HeadState before = state_;
    state_ = TrackHead(state_, line);
    // Head lines inserted after a line that ends inside a block would land
    // in the block: the head-line rules then leave the page alone.
    if (before == HeadState::BeforeHead && state_ == HeadState::InHead && EndsInBlock(marks_, i)) {
      head_rules_off_ = true;
    }
    if (Protected(marks_, i)) {
      if (state_ == HeadState::InHead && !head_rules_off_ && HoldsWholeBlocks(i)) {
        RemoveHeadLines(line);
        // A removed copy takes its blocks with it, whole: the line goes as
        // an ordinary blank one does, and the writer puts the item back.
        if (line.empty()) {
          marks_[i] = kLineFree;
          lines.SetOwn(i, line);
        }
      }
      CountHeadLines();
      return;
    }
    if (TrimView(line, compact_flag_)) changed_ = true;
    if (delete_rule_.Deletes(line)) {
      line = {};
      changed_ = true;
    }
    if (line.size() == SignatureLine.size() &&
        EqualsIgnoreAsciiCase(line, SignatureLine, Encoding::kUtf8)) {
      line = {};
      // With the signature on, a fresh one is written anyway; an old one is
      // no reason by itself to rewrite.
      if (!context_.write_signature) changed_ = true;
    }
    if (state_ == HeadState::InHead && !head_rules_off_) RemoveHeadLines(line);
    lines.SetOwn(i, line);
    CountHeadLines();
  }

  void Prepare(LineViews& lines, std::size_t begin, std::size_t end) override {
    for (std::size_t i = begin; i < end; ++i) Visit(lines, i);
  }

  HeadState state() const { return state_; }
  bool changed() const { return changed_; }

 private:
  std::int64_t HeadLineCount() const {
    return static_cast<std::int64_t>(context_.head_lines.size());
  }

  // Whether every block the protected line `i` touches opens and closes on
  // it: it neither starts in a block's content nor ends in one.
  bool HoldsWholeBlocks(std::size_t i) const {
    return !EndsInBlock(marks_, i) && (i == 0 || !EndsInBlock(marks_, i - 1));
  }

  // After the head, a page missing some head line must be rewritten.
  void CountHeadLines() {
    if (state_ == HeadState::AfterHead && !head_rules_off_ &&
        head_lines_found_ != HeadLineCount()) {
      changed_ = true;
    }
  }

  // Every item is compared with the line as the items before left it, so an
  // empty item also counts a line that an earlier item blanked.
  void RemoveHeadLines(std::string_view& line) {
    for (const std::string& item : context_.head_lines) {
      if (EqualsIgnoreAsciiCase(item, line, context_.encoding)) {
        ++head_lines_found_;
        line = {};
        if (!context_.insert_head_lines) changed_ = true;
      }
    }
  }

  LineMarks& marks_;
  const bool compact_flag_;
  const DeleteRule delete_rule_;
  const CompactContext& context_;
  HeadState state_ = HeadState::BeforeHead;
  std::int64_t head_lines_found_ = 0;
  bool head_rules_off_ = false;
  bool changed_ = false;
};

}  // namespace

bool CompactLines(LineList& lines, bool compactFlag, const ItemList& joinTags,
                  const ItemList& deleteLines, const CompactContext& context) {
  LineMarks no_marks;
  return CompactLines(lines, no_marks, compactFlag, joinTags, deleteLines, context);
}

bool CompactLines(LineList& lines, LineMarks& marks, bool compactFlag, const ItemList& joinTags,
                  const ItemList& deleteLines, const CompactContext& context) {
  LineViews views(lines);
  const bool rewrite = CompactLines(views, marks, compactFlag, joinTags, deleteLines, context);
  LineList compacted = views.ToLineList();
  lines.swap(compacted);
  return rewrite;
}

bool CompactLines(LineViews& lines, LineMarks& marks, bool compactFlag, const ItemList& joinTags,
                  const ItemList& deleteLines, const CompactContext& context) {
  if (!context.opt_out_checked && HoldsOptOutMarker(lines, marks, compactFlag)) return false;
  LinePass pass(marks, compactFlag, deleteLines, context);
  const bool joined = JoinLines(lines, marks, joinTags, context.encoding, pass);
  if (pass.state() == HeadState::BeforeHead) return false;
  return pass.changed() || joined;
}

}  // namespace quarnel
