#include "cli/argument_text.h"

namespace quarnel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view ArgumentText(std::string_view commandLine) {
  std::size_t end = 0;
  if (commandLine.starts_with('"')) {
    end = commandLine.find('"', 1);
    end = end == std::string_view::npos ? commandLine.size() : end + 1;
  } else {
    while (end < commandLine.size() && !IsBlank(commandLine[end])) ++end;
  }
  while (end < commandLine.size() && IsBlank(commandLine[end])) ++end;
  return commandLine.substr(end);
}

std::vector<std::string> SplitArgumentText(std::string_view text) {
  std::vector<std::string> arguments;
  bool inArgument = false;
  bool quoted = false;
  for (const char c : text) {
    if (!quoted && IsBlank(c)) {
      inArgument = false;
      continue;
    }
    if (!inArgument) {
      arguments.emplace_back();
      inArgument = true;
    }
    if (c == '"') {
      quoted = !quoted;
    } else {
      arguments.back() += c;
    }
  }
  return arguments;
}

}  // namespace quarnel
