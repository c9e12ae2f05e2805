#include "files/options.h"

#include <algorithm>
#include <array>

#include "files/session.h"

namespace quarnel {
namespace {

// An option either sets a flag or takes a number.
struct OptionEntry {
  char short_name;  // '\0': a long name only
  std::string_view long_name;
  bool Options::*flag;
  int Options::*number;
  std::string_view help;
};

constexpr int kMaxJobs = 256;
static_assert(kDefaultJobs == 8, "the help for --jobs names the default");

constexpr std::array<OptionEntry, 8> kOptionTable{{
    {'n', "dry-run", &Options::dry_run, nullptr,
     "tell which files would be rewritten and the bytes saved;\n"
     "write nothing, not even the settings file; warn of pages\n"
     "the rules would harm"},
    {'v', "verbose", &Options::verbose, nullptr,
     "print a line per rewritten file and a closing summary;\n"
     "warn of pages the rules would harm"},
    {'r', "repeat", &Options::repeat, nullptr,
     "compact each page again and again until nothing more changes,\n"
     "so that the next run finds nothing to do"},
    {'j', "jobs", nullptr, &Options::jobs,
     "work on N files at once (1 to 256; the default is 8);\n"
     "the output is the same whatever N"},
    {'\0', "no-progress", &Options::no_progress, nullptr, "no progress line on a terminal"},
    {'h', "help", &Options::help, nullptr, "show this help and exit"},
    {'V', "version", &Options::version, nullptr, "show the version and exit"},
    {'d', "desktop", &Options::desktop, nullptr,
     "for the desktop's launchers: what goes wrong is also shown in a\n"
     "message box; without any path, the window opens"},
}};

const OptionEntry* FindShort(char name) {
  const auto it = std::find_if(
      kOptionTable.begin(), kOptionTable.end(),
      [name](const OptionEntry& o) { return o.short_name != '\0' && o.short_name == name; });
  return it == kOptionTable.end() ? nullptr : &*it;
}

const OptionEntry* FindLong(std::string_view name) {
  const auto it = std::find_if(kOptionTable.begin(), kOptionTable.end(),
                               [name](const OptionEntry& o) { return o.long_name == name; });
  return it == kOptionTable.end() ? nullptr : &*it;
}

// Reads the number of `entry` from `text`; false with `error` set when it
// is no number in range.
bool SetNumber(const OptionEntry& entry, std::string_view text, Options& options,
               std::string& error) {
  int value = 0;
  bool digits = !text.empty() && text.size() <= 3;
  for (const char c : text) {
    digits = digits && c >= '0' && c <= '9';
    if (digits) value = value * 10 + (c - '0');
  }
  if (!digits || value < 1 || value > kMaxJobs) {
    error = "option '--" + std::string(entry.long_name) + "' wants a number from 1 to " +
            std::to_string(kMaxJobs) + ", not '" + std::string(text) + "'";
    return false;
  }
  options.*(entry.number) = value;
  return true;
}

// Reads the option argument `args[at]` (and, for a number, maybe the one
// after it, advancing `at`); false when it is a usage error.
bool ApplyOption(const std::vector<std::string>& args, std::size_t& at, Options& options,
                 std::string& error) {
  const std::string_view arg = args[at];
  auto number = [&](const OptionEntry& entry, std::string_view attached, bool has) {
    if (has) return SetNumber(entry, attached, options, error);
    if (at + 1 >= args.size()) {
      error = "option '--" + std::string(entry.long_name) + "' wants a number";
      return false;
    }
    return SetNumber(entry, args[++at], options, error);
  };
  if (arg.starts_with("--")) {
    const std::string_view body = arg.substr(2);
    const std::size_t equals = body.find('=');
    const OptionEntry* entry = FindLong(body.substr(0, equals));
    if (entry == nullptr || (equals != std::string_view::npos && entry->number == nullptr)) {
      error = "unknown option '" + std::string(arg) + "'";
      return false;
    }
    if (entry->number != nullptr) {
      return number(*entry, equals == std::string_view::npos ? "" : body.substr(equals + 1),
                    equals != std::string_view::npos);
    }
    options.*(entry->flag) = true;
    return true;
  }
  for (std::size_t i = 1; i < arg.size(); ++i) {
    const OptionEntry* entry = FindShort(arg[i]);
    if (entry == nullptr) {
      error = std::string("unknown option '-") + arg[i] + "'";
      return false;
    }
    if (entry->number != nullptr) {
      return number(*entry, arg.substr(i + 1), i + 1 < arg.size());
    }
    options.*(entry->flag) = true;
  }
  return true;
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  bool optionsEnded = false;
  for (std::size_t at = 0; at < args.size(); ++at) {
    const std::string& arg = args[at];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      if (!ApplyOption(args, at, parsed.options, parsed.error)) return parsed;
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
    std::string left =
        o.short_name != '\0' ? std::string("  -") + o.short_name + ", --" : std::string("      --");
    left += std::string(o.long_name) + (o.number != nullptr ? " N" : "");
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
      "usage error, 128 plus the signal's number when a signal (Ctrl-C: 130)\n"
      "stopped the run.\n";
  return text;
}

}  // namespace quarnel
