#ifndef QUARNEL_PLATFORM_FREE_MEMORY_H_
#define QUARNEL_PLATFORM_FREE_MEMORY_H_

namespace quarnel {

// Hands memory the program has freed back to the system where the
// allocator keeps it otherwise. glibc keeps freed blocks in the arena of
// the thread that used them, so without this every worker that once held a
// large page would go on holding its memory.
void ReturnFreeMemory();

// Lets the allocator keep what is freed for the next page instead of handing
// it back to the system after every page (glibc does so once 128 KB lie free
// at the top of an arena): a run frees and takes back a page's worth of
// memory for every page, and each round trip costs the page faults of
// memory the system hands out anew. Called once, at start-up; a run hands
// its memory back when it ends (ReturnFreeMemory), as does every page large
// enough to matter.
void KeepFreedMemory();

}  // namespace quarnel

#endif  // QUARNEL_PLATFORM_FREE_MEMORY_H_
