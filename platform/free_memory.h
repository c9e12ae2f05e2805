#ifndef QUARNEL_PLATFORM_FREE_MEMORY_H_
#define QUARNEL_PLATFORM_FREE_MEMORY_H_

namespace quarnel {

// Hands memory the program has freed back to the system where the
// allocator keeps it otherwise. glibc keeps freed blocks in the arena of
// the thread that used them, so without this every worker that once held a
// large page would go on holding its memory.
void ReturnFreeMemory();

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_FREE_MEMORY_H_
