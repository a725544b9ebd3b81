#include "core/large_memory.h"

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace qz {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

bool is_large(std::size_t bytes) { return bytes >= kHugePage; }

}  // namespace

void* allocate_large(std::size_t bytes) {
  if (!is_large(bytes)) return ::operator new(bytes);
  // Whole huge pages, aligned, so that every page of the storage can be one.
  const std::size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
  void* const storage = ::operator new (rounded, std::align_val_t{kHugePage});
#ifdef __linux__
  madvise(storage, rounded, MADV_HUGEPAGE);  // only advice: fine if refused
#endif
  return storage;
}

void free_large(void* storage, std::size_t bytes) noexcept {
  if (!is_large(bytes)) {
    ::operator delete(storage);
    return;
  }
  ::operator delete (storage, std::align_val_t{kHugePage});
}

}  // namespace qz
