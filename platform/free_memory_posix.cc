#include "platform/free_memory.h"

#include <cstdlib>  // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quarnel {

void ReturnFreeMemory() {
#if defined(__GLIBC__)
  ::malloc_trim(0);
#endif
}

void KeepFreedMemory() {
#if defined(__GLIBC__)
  // As much as the pool lets a page hold before it hands memory back.
  ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

}  // namespace quarnel
