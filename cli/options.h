#ifndef QUARNEL_CLI_OPTIONS_H_
#define QUARNEL_CLI_OPTIONS_H_

#include <string>
#include <string_view>
#include <vector>

namespace quarnel {

// What the command line asks for, besides its paths.
struct Options {
  bool help = false;
  bool version = false;
  bool dry_run = false;         // write nothing, not even the settings file
  bool verbose = false;         // a line per rewritten file and a closing summary
  bool desktop = false;         // started by a desktop launcher: problems shown in a box too
  bool no_progress = false;     // no progress line, even on a terminal
  bool repeat = false;          // compact each page until a pass changes nothing more
  bool diff = false;            // print what would change as a unified diff (implies dry_run)
  bool standard_input = false;  // "-": one page from standard input to standard output
  int jobs = 0;                 // file jobs at once; 0: the default
  std::string output;           // write the pages under this folder instead of in place
  std::string settings_file;    // read the settings from here, never written back
  std::vector<std::string> paths;
};

// The result of reading the command line: the options, or the reason it is
// a usage error.
struct ParsedOptions {
  Options options;
  std::string error;  // empty when the command line is usable
};

// Reads the arguments after the program's name. Options may stand anywhere
// before "--"; short ones may be bundled ("-nv"); everything after "--", and
// every argument that does not start with "-", is a path. A lone "-" before
// "--" asks for standard input. An option that takes a value has it in the
// same argument ("-j4", "--jobs=4", "-oout") or the next one. An unknown
// option, or a missing or bad value, is a usage error. --diff implies
// --dry-run.
ParsedOptions ParseOptions(const std::vector<std::string>& args);

// The help text, made from the same table the parser reads.
std::string UsageText(std::string_view program);

}  // namespace quarnel

#endif  // QUARNEL_CLI_OPTIONS_H_
