#ifndef QUARNEL_TESTS_ENGINE_REFERENCE_PAGE_H_
#define QUARNEL_TESTS_ENGINE_REFERENCE_PAGE_H_

// A plain rendering of what happens to a page's bytes, built on the
// reference engine: blocks found byte by byte, lines cut one byte at a
// time, the written form put together without any size planning. Used as
// an oracle for the page's whole road through the rules (CompactPage).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/page_lines.h"
#include "tests/engine/reference_engine.h"

namespace quarnel {

// For every byte of the text: does it lie in a block's content?
inline std::vector<bool> ReferenceBlockBytes(std::string_view t) {
  static constexpr std::array<std::string_view, 4> kNames = {"pre", "textarea", "script", "style"};
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  const auto name_at = [&](std::size_t at, std::string_view name) {
    if (at + name.size() >= t.size()) return false;
    for (std::size_t k = 0; k < name.size(); ++k) {
      if (lower(t[at + k]) != name[k]) return false;
    }
    return std::string_view(" \t\r\n\f/>").find(t[at + name.size()]) != std::string_view::npos;
  };
  std::vector<bool> in(t.size(), false);
  std::size_t i = 0;
  while (i < t.size()) {
    if (t.substr(i, 4) == "<!--") {
      const std::size_t close = t.find("-->", i + 4);
      if (close == std::string_view::npos) return in;
      i = close + 3;
      continue;
    }
    std::string_view name;
    for (const std::string_view n : kNames) {
      if (t[i] == '<' && name_at(i + 1, n)) name = n;
    }
    if (name.empty()) {
      ++i;
      continue;
    }
    std::size_t j = i + 1 + name.size();
    char quote = 0;
    for (; j < t.size(); ++j) {
      if (quote != 0) {
        if (t[j] == quote) quote = 0;
      } else if (t[j] == '"' || t[j] == '\'') {
        quote = t[j];
      } else if (t[j] == '>') {
        break;
      }
    }
    if (j >= t.size()) return in;
    std::size_t k = j + 1;
    for (; k < t.size(); ++k) {
      if (t[k] == '<' && k + 1 < t.size() && t[k + 1] == '/' && name_at(k + 2, name)) break;
      in[k] = true;
    }
    i = k + 2 + name.size();
  }
  return in;
}

// The page's lines and marks, cut at CR LF, CR or LF.
inline PageLines ReferenceReadPage(std::string_view t) {
  const std::vector<bool> in = ReferenceBlockBytes(t);
  PageLines page;
  page.line_end = t.find('\r') == std::string_view::npos ? LineEnd::kLf : LineEnd::kCrLf;
  std::size_t begin = 0;
  while (true) {
    std::size_t end = begin;
    while (end < t.size() && t[end] != '\r' && t[end] != '\n') ++end;
    std::size_t next = end;
    if (next < t.size()) next += t.substr(next, 2) == "\r\n" ? 2 : 1;
    std::uint8_t mark = kLineFree;
    for (std::size_t b = begin; b < next; ++b)
      if (in[b]) mark |= kLineInBlock;
    if (end < next && in[end]) mark |= kLineEndInBlock;
    page.lines.emplace_back(t.substr(begin, end - begin));
    page.marks.push_back(mark);
    page.has_blocks = page.has_blocks || mark != kLineFree;
    begin = next;
    if (begin >= t.size()) break;
  }
  return page;
}

// One pass over a page's bytes (no byte order mark); nothing when the
// page stays as it is.
inline std::optional<std::string> ReferencePagePass(std::string_view text, bool flag,
                                                    const ItemList& joinTags,
                                                    const ItemList& deleteLines,
                                                    const CompactContext& context) {
  PageLines page = ReferenceReadPage(text);
  if (!ReferenceCompact(page.lines, flag, flag ? joinTags : ItemList{}, deleteLines, context,
                        page.marks)) {
    return std::nullopt;
  }
  const std::string line_end(LineEndText(page.line_end));
  std::string out;
  if (context.write_signature) out += std::string(SignatureLine) + line_end;
  bool inserted = !context.insert_head_lines;
  for (std::size_t i = 0; i < page.lines.size(); ++i) {
    if (page.lines[i].empty() && (page.marks[i] & kLineInBlock) == 0) continue;
    out += page.lines[i] + line_end;
    if (!inserted && ContainsIgnoreAsciiCase(page.lines[i], "<HEAD>")) {
      inserted = true;
      if (page.marks[i] & kLineEndInBlock) continue;
      for (const std::string& item : context.head_lines) out += item + line_end;
    }
  }
  return out;
}

// One pass over a page as a run reads it: a UTF-8 byte order mark at its
// start stays where it is, and the rules see the rest.
inline std::optional<std::string> ReferencePageRun(std::string_view page, bool flag,
                                                   const ItemList& joinTags,
                                                   const ItemList& deleteLines,
                                                   const CompactContext& context) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const bool bom = page.starts_with(kByteOrderMark);
  std::optional<std::string> out = ReferencePagePass(page.substr(bom ? kByteOrderMark.size() : 0),
                                                     flag, joinTags, deleteLines, context);
  if (out && bom) out->insert(0, kByteOrderMark);
  return out;
}

// The page compacted once, or with `repeat` until a pass changes nothing
// (64 passes at most). Every pass reads the last one's page as the next
// run would, byte order mark and all.
inline std::optional<std::string> ReferencePage(std::string_view page, bool flag,
                                                const ItemList& joinTags,
                                                const ItemList& deleteLines,
                                                const CompactContext& context, bool repeat) {
  std::optional<std::string> out = ReferencePageRun(page, flag, joinTags, deleteLines, context);
  for (int pass = 2; repeat && out && pass <= 64; ++pass) {
    const std::optional<std::string> next =
        ReferencePageRun(*out, flag, joinTags, deleteLines, context);
    if (!next || *next == *out) break;
    out = next;
  }
  return out;
}

}  // namespace quarnel

#endif  // QUARNEL_TESTS_ENGINE_REFERENCE_PAGE_H_
