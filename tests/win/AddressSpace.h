#pragma once
// Address space in a 32-bit test process: what is free, and a way to run out of it.

#include <windows.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace testing_support {

// Address space not taken by anything: what a 32-bit process can still allocate.
inline size_t FreeAddressSpace() {
  size_t free = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (auto* at = reinterpret_cast<char*>(0x10000);
       ::VirtualQuery(at, &region, sizeof region) == sizeof region; at += region.RegionSize) {
    if (region.State == MEM_FREE) free += region.RegionSize;
  }
  return free;
}

// Takes all the free address space but `leave` bytes for as long as it lives.
class AddressSpaceHog {
 public:
  explicit AddressSpaceHog(size_t leave) {
    for (size_t block = 64u << 20; block >= 64u << 10; block /= 2) {
      while (void* taken = ::VirtualAlloc(nullptr, block, MEM_RESERVE, PAGE_NOACCESS)) {
        taken_.push_back({taken, block});
      }
    }
    for (size_t left = 0; left < leave && !taken_.empty(); taken_.pop_back()) {
      left += taken_.back().second;
      ::VirtualFree(taken_.back().first, 0, MEM_RELEASE);
    }
  }
  ~AddressSpaceHog() {
    for (const auto& taken : taken_) ::VirtualFree(taken.first, 0, MEM_RELEASE);
  }

 private:
  std::vector<std::pair<void*, size_t>> taken_;
};

}  // namespace testing_support
