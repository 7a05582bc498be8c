// Picture memory: the heap for small pictures, anonymous mappings advised into huge pages for large ones.
#include "platform/picture_memory.h"

#include <sys/mman.h>

namespace {

constexpr uintptr_t kHugePage = uintptr_t(2) << 20;

uintptr_t RoundUp(uintptr_t n, uintptr_t to) { return (n + to - 1) / to * to; }

}  // namespace

// The mapping starts on a huge page's boundary, so that all of it can be backed by huge pages: one more
// huge page is mapped, and what lies outside the aligned block is given back.
void* AllocatePictureMemory(size_t bytes) {
  if (bytes < kMappedPictureBytes) return ::operator new(bytes);
  uintptr_t length = RoundUp(bytes, kHugePage);
  void* mapped = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  uintptr_t start = reinterpret_cast<uintptr_t>(mapped), block = RoundUp(start, kHugePage);
  if (block > start) munmap(mapped, block - start);
  uintptr_t tail = start + length + kHugePage - (block + length);
  if (tail > 0) munmap(reinterpret_cast<void*>(block + length), tail);
#ifdef MADV_HUGEPAGE
  madvise(reinterpret_cast<void*>(block), length, MADV_HUGEPAGE);
#endif
  return reinterpret_cast<void*>(block);
}

void FreePictureMemory(void* block, size_t bytes) {
  if (bytes < kMappedPictureBytes) {
    ::operator delete(block);
    return;
  }
  munmap(block, RoundUp(bytes, kHugePage));
}
