#include <unistd.h>

#include "platform/terminal.h"

namespace quarnel {

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace quarnel
