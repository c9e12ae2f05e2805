#include "cli/command_line_split.h"

#include <algorithm>

namespace quarnel {
namespace {

// Positions below are counted from 1, as the command line is described.

void StartEntry(ArgumentList& list) {
  if (!list.back().empty()) list.emplace_back();
}

// Every path in double quotes, separated by one blank. The first character
// is taken for the first opening quote and dropped unseen; after each
// closing quote the next start skips exactly one separator and the next
// opening quote, so other spacing puts the cuts out of step.
void SplitQuoted(std::string_view s, ArgumentList& list) {
  s.remove_prefix(1);
  std::size_t pos = 0;
  for (;;) {
    const std::size_t start = pos + 1;
    if (start > s.size()) return;
    const std::size_t found = s.find('"', start - 1);
    if (found == std::string_view::npos) return;
    const std::size_t q = found + 1;
    StartEntry(list);
    list.back() = std::string(s.substr(start - 1, q - start));
    pos = q + 2;
  }
}

// Paths separated by blanks (a tab is no separator); an empty segment
// between two blanks is overwritten by the next one, a trailing blank leaves
// a final empty entry. Then every double quote is removed.
void SplitBlanks(std::string_view s, ArgumentList& list) {
  std::size_t pos = 0;
  for (;;) {
    const std::size_t start = pos + 1;
    const std::size_t found = start > s.size() ? std::string_view::npos : s.find(' ', start - 1);
    StartEntry(list);
    if (found == std::string_view::npos) {
      list.back() = start > s.size() ? std::string() : std::string(s.substr(start - 1));
      break;
    }
    const std::size_t b = found + 1;
    list.back() = std::string(s.substr(start - 1, b - start));
    pos = b;
  }
  for (std::string& entry : list) std::erase(entry, '"');
}

}  // namespace

bool SplitCommandLine(std::string_view arguments, bool ntPlatform, ArgumentList& list) {
  if (arguments.empty()) return false;
  list.assign(1, std::string());
  if (ntPlatform) {
    SplitQuoted(arguments, list);
  } else {
    SplitBlanks(arguments, list);
  }
  return true;
}

std::string ArgumentString(const std::vector<std::string>& args) {
  std::string s;
  for (const std::string& arg : args) {
    if (!s.empty()) s += ' ';
    s += '"';
    s += arg;
    s += '"';
  }
  return s;
}

ArgumentList PathsFromArguments(const std::vector<std::string>& args) {
  const bool quoteInside = std::any_of(args.begin(), args.end(), [](const std::string& a) {
    return a.find('"') != std::string::npos;
  });
  if (quoteInside) return args;
  ArgumentList list;
  SplitCommandLine(ArgumentString(args), /*ntPlatform=*/true, list);
  return list;
}

}  // namespace quarnel
