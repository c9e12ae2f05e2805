#include "engine/join_harm.h"

#include <array>

#include "engine/text_compare.h"
#include "engine/trim.h"

namespace quarnel {
namespace {

constexpr std::array<std::string_view, 4> kBlocks = {"pre", "textarea", "script", "style"};

// The block whose tag `<name` or `</name` starts at `lt` (the "<"), if any.
std::optional<std::string_view> BlockTagAt(std::string_view line, std::size_t lt, bool* closing) {
  std::size_t at = lt + 1;
  *closing = at < line.size() && line[at] == '/';
  if (*closing) ++at;
  for (const std::string_view block : kBlocks) {
    if (line.size() - at < block.size() ||
        !EqualsIgnoreAsciiCase(line.substr(at, block.size()), block, Encoding::kUtf8)) {
      continue;
    }
    const std::size_t end = at + block.size();
    if (end == line.size() || line[end] == '>' || line[end] == '/' || IsLayoutBlank(line[end])) {
      return block;
    }
  }
  return std::nullopt;
}

// Follows the block tags of `text` in order. Inside a block only its own
// closing tag counts: a script may well write "<pre>" as text.
void FollowBlocks(std::string_view text, std::optional<std::string_view>& open) {
  for (std::size_t lt = text.find('<'); lt != std::string_view::npos; lt = text.find('<', lt + 1)) {
    bool closing = false;
    const std::optional<std::string_view> block = BlockTagAt(text, lt, &closing);
    if (!block) continue;
    if (!open && !closing) {
      open = block;
    } else if (open && closing && *open == *block) {
      open.reset();
    }
  }
}

// Whether the join rule takes the next line onto this one: a line that,
// trailing blanks trimmed, does not end with ">" (a line of blanks alone
// is left as it is, so it joins too).
bool Joins(std::string_view line) {
  if (line.empty()) return false;
  std::size_t end = line.size();
  while (end > 0 && IsLayoutBlank(line[end - 1])) --end;
  return end == 0 || line[end - 1] != '>';
}

}  // namespace

std::optional<JoinHarm> FindJoinHarm(const LineList& lines) {
  std::optional<std::string_view> open;
  bool in_comment = false;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string_view line = lines[i];
    // As the join rule does: a comment that opens on one line and closes on
    // a later one is left alone, the closing line included.
    if (in_comment) {
      in_comment = line.find("->") == std::string_view::npos;
      continue;
    }
    const std::size_t comment = line.find("<!-");
    if (comment != std::string_view::npos &&
        line.find("->", comment + 2) == std::string_view::npos) {
      FollowBlocks(line.substr(0, comment), open);
      in_comment = true;
      continue;
    }
    FollowBlocks(line, open);
    if (open && Joins(line)) return JoinHarm{i + 1, *open};
  }
  return std::nullopt;
}

}  // namespace quarnel
