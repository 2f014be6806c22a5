#include "platform/memory.h"

#include <cstdlib>  // defines __GLIBC__ on glibc systems
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

// Pictures pass through buffers of one to a few megabytes (decoded images,
// texture uploads, the renderer's texture storage). Once the first of them
// is freed, glibc raises its mapping threshold and serves the next ones from
// the heap, where they stay resident after they are freed: a playthrough
// then peaks at nearly twice what it holds. A fixed threshold keeps each of
// them a mapping of its own, returned to the system when it is freed. It
// stays above the renderer's 1 MiB vertex upload buffers, which are remade
// every few draws and would otherwise be mapped and faulted in each time.
void keep_large_blocks_separate() {
#if defined(__GLIBC__)
    constexpr int separate_from_bytes = 1152 * 1024;  // a decoded 640 x 480 picture is 1200 KiB
    mallopt(M_MMAP_THRESHOLD, separate_from_bytes);
#endif
}


void return_free_memory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace platform
