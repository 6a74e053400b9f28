#include "platform/memory/LargeBuffers.h"

#include <malloc.h>

namespace memory {

void ReturnLargeBuffersToTheSystem() {
    // Fixing the threshold also turns off its dynamic rise.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}

}  // namespace memory
