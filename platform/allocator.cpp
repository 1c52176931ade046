#include "allocator.h"

#include <malloc.h>

namespace platform {

void KeepLargeBlocksForReuse() {
    // A 4000 x 3000 frame is 48 MB. Above the mmap threshold glibc hands such a
    // block back to the kernel on free() and maps fresh pages on the next
    // malloc(), and the first write to fresh pages costs about 2.5 ms per MB
    // here: more than decoding the picture. Serving every block from the heap
    // and not trimming its top lets the next entry reuse the same pages.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);  // 1 GiB: above any frame we accept
}

}  // namespace platform
