#include "platform/interrupt.h"

namespace quarnel {
namespace {

std::atomic<bool> interrupted{false};

}  // namespace

// Not caught yet on Windows: Ctrl-C ends the process as it always did, and
// a temporary file in flight is left for the next run's walk.
void CatchInterrupts() {}

const std::atomic<bool>& InterruptFlag() { return interrupted; }

int InterruptSignal() { return 0; }

}  // namespace quarnel
