#include "cli/options.h"

#include <algorithm>
#include <array>

#include "files/run_config.h"

namespace quarnel {
namespace {

// An option sets a flag, or takes a number or a text (a path).
struct OptionEntry {
  char short_name;  // '\0': a long name only
  std::string_view long_name;
  bool Options::*flag;
  int Options::*number;
  std::string Options::*text;
  std::string_view value_name;  // what the help calls the value: "N", "DIR"...
  std::string_view help;
};

constexpr int kMaxJobs = 256;
static_assert(RunConfig::kDefaultJobs == 8, "the help for --jobs names the default");

constexpr std::array<OptionEntry, 11> kOptionTable{{
    {'n', "dry-run", &Options::dry_run, nullptr, nullptr, "",
     "tell which files would be rewritten and the bytes saved;\n"
     "write nothing, not even the settings file"},
    {'\0', "diff", &Options::diff, nullptr, nullptr, "",
     "print what would change as a unified diff (as diff -u),\n"
     "which patch -p0 applies; writes nothing, as -n"},
    {'v', "verbose", &Options::verbose, nullptr, nullptr, "",
     "print a line per rewritten file and a closing summary"},
    {'r', "repeat", &Options::repeat, nullptr, nullptr, "",
     "compact each page again and again until nothing more\n"
     "changes, so that the next run finds nothing to do"},
    {'o', "output", nullptr, nullptr, &Options::output, "DIR",
     "write the pages under DIR instead of in place: a folder's\n"
     "pages at their paths below it, a page given by name as\n"
     "DIR/name; every page is written, compacted or as it was;\n"
     "other files are not copied"},
    {'\0', "settings", nullptr, nullptr, &Options::settings_file, "FILE",
     "read the settings from FILE instead of Quarnel.ini;\n"
     "FILE is never written"},
    {'j', "jobs", nullptr, &Options::jobs, nullptr, "N",
     "work on N files at once (1 to 256; the default is 8);\n"
     "the output is the same whatever N"},
    {'\0', "no-progress", &Options::no_progress, nullptr, nullptr, "",
     "no progress line on a terminal"},
    {'h', "help", &Options::help, nullptr, nullptr, "", "show this help and exit"},
    {'V', "version", &Options::version, nullptr, nullptr, "", "show the version and exit"},
    {'d', "desktop", &Options::desktop, nullptr, nullptr, "",
     "for the desktop's launchers: what goes wrong is also shown in a\n"
     "message box; without any path, the window opens"},
}};

bool TakesValue(const OptionEntry& entry) { return !entry.value_name.empty(); }

// What a usage error calls the value of `entry`.
std::string ValueWords(const OptionEntry& entry) {
  if (entry.number != nullptr) return "a number";
  return entry.value_name == "DIR" ? "a folder" : "a file";
}

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

// Sets the value of `entry` from `text`; false with `error` set when it is
// no number in range, or an empty path.
bool SetValue(const OptionEntry& entry, std::string_view text, Options& options,
              std::string& error) {
  if (entry.text != nullptr) {
    if (text.empty()) {
      error = "option '--" + std::string(entry.long_name) + "' wants " + ValueWords(entry) +
              ", not an empty name";
      return false;
    }
    options.*(entry.text) = text;
    return true;
  }
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

// Reads the option argument `args[at]` (and, for a value, maybe the one
// after it, advancing `at`); false when it is a usage error.
bool ApplyOption(const std::vector<std::string>& args, std::size_t& at, Options& options,
                 std::string& error) {
  const std::string_view arg = args[at];
  auto value = [&](const OptionEntry& entry, std::string_view attached, bool has) {
    if (has) return SetValue(entry, attached, options, error);
    if (at + 1 >= args.size()) {
      error = "option '--" + std::string(entry.long_name) + "' wants " + ValueWords(entry);
      return false;
    }
    return SetValue(entry, args[++at], options, error);
  };
  if (arg.starts_with("--")) {
    const std::string_view body = arg.substr(2);
    const std::size_t equals = body.find('=');
    const OptionEntry* entry = FindLong(body.substr(0, equals));
    if (entry == nullptr || (equals != std::string_view::npos && !TakesValue(*entry))) {
      error = "unknown option '" + std::string(arg) + "'";
      return false;
    }
    if (TakesValue(*entry)) {
      return value(*entry, equals == std::string_view::npos ? "" : body.substr(equals + 1),
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
    if (TakesValue(*entry)) return value(*entry, arg.substr(i + 1), i + 1 < arg.size());
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
    } else if (!optionsEnded && arg == "-") {
      parsed.options.standard_input = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      if (!ApplyOption(args, at, parsed.options, parsed.error)) return parsed;
    } else {
      parsed.options.paths.push_back(arg);
    }
  }
  if (parsed.options.diff) parsed.options.dry_run = true;
  return parsed;
}

std::string UsageText(std::string_view program) {
  std::string text;
  text += "Usage: " + std::string(program) + " [OPTION]... PATH...\n";
  text += "  or:  " + std::string(program) + " [OPTION]... -\n";
  text +=
      "Makes HTML files smaller in place. A folder is walked with all its\n"
      "sub-folders for *.htm, *.html and *.shtml files; a file is taken when its\n"
      "name ends in HTML, HTM or SHT in any letter case. The settings come from\n"
      "Quarnel.ini beside the program, which is written back at the end.\n"
      "With -, one page is read from standard input and written to standard\n"
      "output, compacted or as it was; the settings file is not written then.\n"
      "Started without arguments, the program opens its window instead.\n\n";
  constexpr std::string_view kIndent = "                      ";
  for (const OptionEntry& o : kOptionTable) {
    std::string left =
        o.short_name != '\0' ? std::string("  -") + o.short_name + ", --" : std::string("      --");
    left += std::string(o.long_name);
    if (TakesValue(o)) left += ' ' + std::string(o.value_name);
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
      "Exit status: 0 when every path was handled, 1 when a path (or, with -,\n"
      "standard input or output) could not be read, listed or written (each is\n"
      "named on standard error), 2 for a usage error (an output folder inside\n"
      "a path given, two pages for one place in it, a settings file that\n"
      "cannot be read), 128 plus the signal's number when a signal (Ctrl-C:\n"
      "130) stopped the run.\n";
  return text;
}

}  // namespace quarnel
