// Counts the bytes live through global new, to give a run's peak. This binary's only
// replacement of the global allocator: a second one elsewhere in bench/ would clash at link time.

#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* CountedAlloc(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (block == nullptr) throw std::bad_alloc();
  std::memcpy(block, &size, sizeof size);
  const std::size_t live = liveBytes.fetch_add(size) + size;
  std::size_t peak = peakBytes.load();
  while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
  }
  return static_cast<char*>(block) + kHeader;
}

void CountedFree(void* pointer) noexcept {
  if (pointer == nullptr) return;
  void* block = static_cast<char*>(pointer) - kHeader;
  std::size_t size = 0;
  std::memcpy(&size, block, sizeof size);
  liveBytes.fetch_sub(size);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
  return CountedAlloc(size);
}
void* operator new[](std::size_t size) {
  return CountedAlloc(size);
}
void operator delete(void* pointer) noexcept {
  CountedFree(pointer);
}
void operator delete[](void* pointer) noexcept {
  CountedFree(pointer);
}
void operator delete(void* pointer, std::size_t /*size*/) noexcept {
  CountedFree(pointer);
}
void operator delete[](void* pointer, std::size_t /*size*/) noexcept {
  CountedFree(pointer);
}

namespace allocation_counter {

std::size_t StartPeak() {
  const std::size_t live = liveBytes.load();
  peakBytes.store(live);
  return live;
}

std::size_t Peak() {
  return peakBytes.load();
}

}  // namespace allocation_counter
