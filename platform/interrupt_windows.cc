#include "platform/interrupt.h"

namespace quarnel {
namespace {

std::atomic<bool> interrupted{false};
std::atomic<int> interrupt_signal{0};

}  // namespace

// Windows has no such signals: the program's console handler and its
// launcher's stop event call RequestInterrupt instead.
void CatchInterrupts() {}

void RequestInterrupt(int signal_number) {
  interrupt_signal.store(signal_number);
  interrupted.store(true);
}

const std::atomic<bool>& InterruptFlag() { return interrupted; }

int InterruptSignal() { return interrupt_signal.load(); }

}  // namespace quarnel
