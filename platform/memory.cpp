#include "platform/memory.h"

#include <cstdlib>  // defines __GLIBC__ on glibc systems
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

// A picture passes through buffers of one or two megabytes (a decoded
// 640 x 480 picture is 1.2 MB, its texture 2 MB). They stay in the heap,
// where the next picture reuses them without faulting in fresh pages; after
// pictures change, the heap's free pages are handed back (return_free_memory).
// Anything larger is a mapping of its own, returned when freed. The fixed
// threshold also stops glibc from raising its own after the first large
// buffer is freed, which kept whole screens of freed storage resident: a
// playthrough peaked at nearly twice what it holds.
void configure_heap_for_pictures() {
#if defined(__GLIBC__)
    constexpr int separate_from_bytes = 2560 * 1024;  // above a picture's 2 MB texture
    mallopt(M_MMAP_THRESHOLD, separate_from_bytes);
    // One heap for every thread: the pictures decoded on the read-ahead
    // thread are freed on the game thread, and with one heap their pages are
    // what the textures are then made from, instead of fresh pages faulted in
    // (start-up's five background pictures: about 8 ms each down to 1 ms).
    mallopt(M_ARENA_MAX, 1);
#endif
}

void return_free_memory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace platform
