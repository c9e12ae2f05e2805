#ifndef QUARNEL_PLATFORM_INTERRUPT_H_
#define QUARNEL_PLATFORM_INTERRUPT_H_

#include <atomic>

namespace quarnel {

// The requests to end a run early: SIGINT (Ctrl-C), SIGTERM and SIGHUP on
// POSIX. Once CatchInterrupts() has run, the first such request sets
// InterruptFlag() and leaves the run to end cleanly; a second one ends the
// process at once, as if none had been caught.
void CatchInterrupts();

// Asks the run to end as the signal `signal_number` would, from any thread:
// the console handler of Windows and its launcher's stop event, which are
// no signals, ask with SIGINT's number so that the run ends as Ctrl-C ends
// it on POSIX.
void RequestInterrupt(int signal_number);
inline constexpr int kInterruptSignal = 2;  // SIGINT's number everywhere

// Set once a request to end has come.
const std::atomic<bool>& InterruptFlag();

// The number of the signal that asked the run to end; 0 while none has.
int InterruptSignal();

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_INTERRUPT_H_
