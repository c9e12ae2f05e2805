#include <io.h>

#include <cstdio>

#include "platform/terminal.h"

namespace quarnel {

bool StandardErrorIsTerminal() { return ::_isatty(::_fileno(stderr)) != 0; }

}  // namespace quarnel
