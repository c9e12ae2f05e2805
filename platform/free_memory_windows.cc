#include "platform/free_memory.h"

namespace quarnel {

// The Windows heap gives large freed blocks back by itself.
void ReturnFreeMemory() {}

// Nor does it hand small ones back at once.
void KeepFreedMemory() {}

}  // namespace quarnel
