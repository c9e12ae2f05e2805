#include <signal.h>

#include "platform/interrupt.h"

namespace quarnel {
namespace {

std::atomic<bool> interrupted{false};
std::atomic<int> interrupt_signal{0};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "the handler may only touch lock-free atomics");

// Only notes the request: the run checks the flag between its steps.
// SA_RESETHAND puts the default action back, so a second signal ends the
// process at once.
void OnInterrupt(int signal_number) {
  interrupt_signal.store(signal_number);
  interrupted.store(true);
}

}  // namespace

void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    ::sigaction(signal_number, &action, nullptr);
  }
}

void RequestInterrupt(int signal_number) { OnInterrupt(signal_number); }

const std::atomic<bool>& InterruptFlag() { return interrupted; }

int InterruptSignal() { return interrupt_signal.load(); }

}  // namespace quarnel
