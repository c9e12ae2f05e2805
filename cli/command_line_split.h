#ifndef QUARNEL_CLI_COMMAND_LINE_SPLIT_H_
#define QUARNEL_CLI_COMMAND_LINE_SPLIT_H_

#include <string>
#include <string_view>
#include <vector>

namespace quarnel {

// The paths cut from the argument string, in order.
using ArgumentList = std::vector<std::string>;

// Cuts the argument string (the command line after the program's own name)
// into paths. With `ntPlatform` every path is expected in double quotes,
// separated by one blank; otherwise paths are separated by blanks and every
// double quote is removed afterwards. Segments are passed on exactly as cut,
// odd ones included. Returns false and leaves `list` alone when `arguments`
// is empty; otherwise resets `list` and fills it with at least one entry.
bool SplitCommandLine(std::string_view arguments, bool ntPlatform, ArgumentList& list);

// The argument string an NT shell would hand over for arguments that arrive
// already split: each one in double quotes, separated by one blank.
std::string ArgumentString(const std::vector<std::string>& args);

// The paths of a run whose arguments arrive already split: the argument
// string is rebuilt and cut by the NT rule, so every argument is one path,
// exactly as given. A double quote cannot occur in a Windows path but can in
// a POSIX one, and the quoted form cannot carry it, so an argument list
// holding one is taken as given.
ArgumentList PathsFromArguments(const std::vector<std::string>& args);

}  // namespace quarnel

#endif  // QUARNEL_CLI_COMMAND_LINE_SPLIT_H_
