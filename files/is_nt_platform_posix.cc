#include "files/command_line_split.h"

namespace quarnel {

// POSIX hands the program its arguments whole, as an NT shell hands over
// quoted paths.
bool IsNtPlatform() { return true; }

}  // namespace quarnel
