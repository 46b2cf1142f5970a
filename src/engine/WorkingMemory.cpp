#include "engine/WorkingMemory.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace engine {

void keepFreedMemoryForLargeTexts() {
#if defined(M_MMAP_THRESHOLD) && defined(M_TRIM_THRESHOLD)
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}

void giveBackFreedMemory() {
#if defined(M_TRIM_THRESHOLD)
    malloc_trim(0);
#endif
}

}  // namespace engine
