#include "files/options.h"

#include <algorithm>
#include <array>

namespace quarnel {
namespace {

struct OptionEntry {
  char short_name;
  std::string_view long_name;
  bool Options::*flag;
  std::string_view help;
};

constexpr std::array<OptionEntry, 5> kOptionTable{{
    {'n', "dry-run", &Options::dry_run,
     "tell which files would be rewritten and the bytes saved; write nothing,\n"
     "not even the settings file"},
    {'v', "verbose", &Options::verbose, "print a line per rewritten file and a closing summary"},
    {'h', "help", &Options::help, "show this help and exit"},
    {'V', "version", &Options::version, "show the version and exit"},
    {'d', "desktop", &Options::desktop,
     "for the desktop's launchers: what goes wrong is also shown in a\n"
     "message box; without any path, the window opens"},
}};

const OptionEntry* FindShort(char name) {
  const auto it = std::find_if(kOptionTable.begin(), kOptionTable.end(),
                               [name](const OptionEntry& o) { return o.short_name == name; });
  return it == kOptionTable.end() ? nullptr : &*it;
}

const OptionEntry* FindLong(std::string_view name) {
  const auto it = std::find_if(kOptionTable.begin(), kOptionTable.end(),
                               [name](const OptionEntry& o) { return o.long_name == name; });
  return it == kOptionTable.end() ? nullptr : &*it;
}

// Sets the flags an option argument names; false when one is unknown.
bool ApplyOption(std::string_view arg, Options& options, std::string& error) {
  if (arg.starts_with("--")) {
    const OptionEntry* entry = FindLong(arg.substr(2));
    if (entry == nullptr) {
      error = "unknown option '" + std::string(arg) + "'";
      return false;
    }
    options.*(entry->flag) = true;
    return true;
  }
  for (const char c : arg.substr(1)) {
    const OptionEntry* entry = FindShort(c);
    if (entry == nullptr) {
      error = std::string("unknown option '-") + c + "'";
      return false;
    }
    options.*(entry->flag) = true;
  }
  return true;
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      if (!ApplyOption(arg, parsed.options, parsed.error)) return parsed;
    } else {
      parsed.options.paths.push_back(arg);
    }
  }
  return parsed;
}

std::string UsageText(std::string_view program) {
  std::string text;
  text += "Usage: " + std::string(program) + " [OPTION]... PATH...\n";
  text +=
      "Makes HTML files smaller in place. A folder is walked with all its\n"
      "sub-folders for *.htm, *.html and *.shtml files; a file is taken when its\n"
      "name ends in HTML, HTM or SHT in any letter case. The settings come from\n"
      "Quarnel.ini beside the program, which is written back at the end.\n"
      "Started without arguments, the program opens its window instead.\n\n";
  constexpr std::string_view kIndent = "                      ";
  for (const OptionEntry& o : kOptionTable) {
    std::string left = std::string("  -") + o.short_name + ", --" + std::string(o.long_name);
    left.resize(kIndent.size(), ' ');
    text += left;
    for (const char c : o.help) {
      text += c;
      if (c == '\n') text += kIndent;
    }
    text += '\n';
  }
  text += "  --                  end of the options; every later argument is a path\n\n";
  text +=
      "Exit status: 0 when every path was handled, 1 when a path could not be\n"
      "read, listed or written (each is named on standard error), 2 for a\n"
      "usage error.\n";
  return text;
}

}  // namespace quarnel
