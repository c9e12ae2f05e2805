#ifndef QUARNEL_PLATFORM_TERMINAL_H_
#define QUARNEL_PLATFORM_TERMINAL_H_

namespace quarnel {

// True when the process's standard error is a terminal (a console on
// Windows), where a line may be redrawn in place.
bool StandardErrorIsTerminal();

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_TERMINAL_H_
