// An allocator for the large work vectors of index operations (a million
// entries make vectors of several megabytes): a block of a megabyte or more
// is mapped on its own and in large pages where the system offers them.
// Memory used for the first time is brought in a page at a time, and with
// small pages that costs more than the work done in it on some machines.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <new>
#include <vector>

namespace tovalia {

inline constexpr size_t kLargePagesFrom = 1 << 20;

template <typename T>
struct LargePageAllocator {
  using value_type = T;
  LargePageAllocator() = default;
  template <typename U>
  LargePageAllocator(const LargePageAllocator<U>&) {}

  T* allocate(size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes < kLargePagesFrom) return static_cast<T*>(::operator new(bytes));
    void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    ::madvise(block, bytes, MADV_HUGEPAGE);
#endif
    return static_cast<T*>(block);
  }
  void deallocate(T* block, size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes < kLargePagesFrom) {
      ::operator delete(block);
    } else {
      ::munmap(block, bytes);
    }
  }
  template <typename U>
  bool operator==(const LargePageAllocator<U>&) const {
    return true;
  }
};

template <typename T>
using LargeVector = std::vector<T, LargePageAllocator<T>>;

}  // namespace tovalia
