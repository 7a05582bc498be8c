// Memory for decoded pictures: not cleared before the decoder fills it, and for large pictures mapped
// from the system in huge pages, which a 50 MB background takes in far fewer page faults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

// Blocks of at least this many bytes are mapped from the system; smaller ones come from the heap.
constexpr size_t kMappedPictureBytes = size_t(4) << 20;

void* AllocatePictureMemory(size_t bytes);
void FreePictureMemory(void* block, size_t bytes);

template <typename T>
struct PictureAllocator {
  using value_type = T;
  PictureAllocator() = default;
  template <typename U>
  PictureAllocator(const PictureAllocator<U>&) noexcept {}
  T* allocate(size_t n) { return static_cast<T*>(AllocatePictureMemory(n * sizeof(T))); }
  void deallocate(T* p, size_t n) noexcept { FreePictureMemory(p, n * sizeof(T)); }
  // An element made without a value is left as the memory has it: the decoder writes every one.
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  friend bool operator==(const PictureAllocator&, const PictureAllocator&) { return true; }
};

// ARGB pixels or texels, row after row.
using PixelVector = std::vector<uint32_t, PictureAllocator<uint32_t>>;
