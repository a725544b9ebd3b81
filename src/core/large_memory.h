#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace qz {

// Memory for the large arrays a run fills once and then reads: the findings
// a format keeps for sorting, and their texts. On Linux, storage of 2 MiB or
// more asks for huge pages: faulting in fresh 4 KiB pages costs about as
// much as writing them, and a growing array is fresh memory all the time.
void* allocate_large(std::size_t bytes);
// Frees what allocate_large gave for the same number of bytes.
void free_large(void* storage, std::size_t bytes) noexcept;

// A block of such memory, freed with its owner.
struct LargeBytesDeleter {
  std::size_t bytes = 0;
  void operator()(char* storage) const noexcept { free_large(storage, bytes); }
};
using LargeBytes = std::unique_ptr<char[], LargeBytesDeleter>;
inline LargeBytes allocate_large_bytes(std::size_t bytes) {
  return LargeBytes(static_cast<char*>(allocate_large(bytes)), LargeBytesDeleter{bytes});
}

// The allocator of std::vector for such arrays.
template <typename T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <typename U>
  LargeAllocator(const LargeAllocator<U>&) noexcept {}
  T* allocate(std::size_t count) { return static_cast<T*>(allocate_large(count * sizeof(T))); }
  void deallocate(T* storage, std::size_t count) noexcept {
    free_large(storage, count * sizeof(T));
  }
  template <typename U>
  bool operator==(const LargeAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace qz
