#pragma once
// Heap bytes in use and their peak, counted for the whole program by its own
// operator new and delete over malloc and free. Included by one source file of
// a benchmark program: the operators replace the library's.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace counted_heap {

inline std::atomic<long long> g_liveBytes{0};
inline std::atomic<long long> g_peakBytes{0};

// What the heap holds now.
inline long long Live() { return g_liveBytes; }
// The most it held since the last reset, which starts the count anew from now.
inline long long Peak() { return g_peakBytes; }
inline void ResetPeak() { g_peakBytes = g_liveBytes.load(); }

}  // namespace counted_heap

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  const long long live = counted_heap::g_liveBytes += static_cast<long long>(malloc_usable_size(block));
  long long peak = counted_heap::g_peakBytes;
  while (live > peak && !counted_heap::g_peakBytes.compare_exchange_weak(peak, live)) {
  }
  return block;
}
void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  counted_heap::g_liveBytes -= static_cast<long long>(malloc_usable_size(block));
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
