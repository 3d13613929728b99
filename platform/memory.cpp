#include "platform/memory.h"

// Any C library header tells whether this is the GNU C library.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  // Blocks up to the largest threshold the allocator accepts (32 MB, a
  // 3840 x 2160 picture) come from the heap rather than from mappings of
  // their own, and up to 256 MB freed at the heap's top stay there.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}
