#include "files/stop_request.h"

#include <atomic>

namespace quarnel {
namespace {

// The one flag a control handler may set: lock-free, so setting it from the
// handler's thread is safe at any moment.
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace

void RequestStop() { stopRequested.store(true); }

bool StopRequested() { return stopRequested.load(); }

}  // namespace quarnel
