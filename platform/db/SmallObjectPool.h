// Internal: storage for the database's many small blocks (objects, their
// slots and handle index entries, extended data). A drawing of two million
// 3D faces makes some ten million such blocks; the general heap spends more
// time and memory on their bookkeeping than on the objects themselves.
//
// Blocks up to kMaxPooled bytes come from 2 MiB regions (mapped and filled
// with small pages in one call each) in size classes of 8 bytes; a freed
// block goes on its class's free list for the next block of that size.
// Regions are never given back: memory freed by one drawing is reused by the
// next. Larger blocks, and every block in sanitizer builds (so that use after
// free is still caught), go to the general heap.
//
// Safe to call from any thread (a spin lock guards the lists).
#pragma once

#include <cstddef>
#include <new>

namespace uv {

class SmallObjectPool {
 public:
  static constexpr std::size_t kMaxPooled = 512;
  static void* allocate(std::size_t size);
  // size: the size the block was allocated with.
  static void release(void* p, std::size_t size) noexcept;
};

// A standard allocator over the pool, for node containers.
template <class T>
struct PoolAllocator {
  using value_type = T;
  PoolAllocator() = default;
  template <class U>
  PoolAllocator(const PoolAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(SmallObjectPool::allocate(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { SmallObjectPool::release(p, n * sizeof(T)); }
  template <class U>
  friend bool operator==(const PoolAllocator&, const PoolAllocator<U>&) noexcept { return true; }
};

}  // namespace uv
