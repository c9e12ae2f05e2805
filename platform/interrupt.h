#ifndef QUARNEL_PLATFORM_INTERRUPT_H_
#define QUARNEL_PLATFORM_INTERRUPT_H_

#include <atomic>

namespace quarnel {

// The requests to end a run early: SIGINT (Ctrl-C), SIGTERM and SIGHUP on
// POSIX. Once CatchInterrupts() has run, the first such request sets
// InterruptFlag() and leaves the run to end cleanly; a second one ends the
// process at once, as if none had been caught.
void CatchInterrupts();

// Set once a request to end has come.
const std::atomic<bool>& InterruptFlag();

// The number of the signal that asked the run to end; 0 while none has.
int InterruptSignal();

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_INTERRUPT_H_
