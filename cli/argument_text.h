#ifndef QUARNEL_CLI_ARGUMENT_TEXT_H_
#define QUARNEL_CLI_ARGUMENT_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

namespace quarnel {

// The argument text of a whole command line as Windows hands it over
// (GetCommandLineW): what follows the program's own name, which runs to its
// closing double quote when it starts with one and to the first blank or
// tab otherwise, and the blanks and tabs after it.
std::string_view ArgumentText(std::string_view commandLine);

// Cuts argument text into arguments: blanks and tabs outside double quotes
// separate them; a double quote opens or closes a quoted run and is itself
// dropped, so `"my site"` is one argument and `""` an empty one. A backslash
// is always just a backslash ("C:\site\" keeps its last one), since no
// Windows name can hold a double quote that would need one.
std::vector<std::string> SplitArgumentText(std::string_view text);

}  // namespace quarnel

#endif  // QUARNEL_CLI_ARGUMENT_TEXT_H_
