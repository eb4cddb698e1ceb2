#include "app/LargePages.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

// The sanitizer builds run it too: its blocks come from malloc, which the
// address sanitizer serves and checks, and the advice changes no content.
#if defined(__linux__) && defined(__GLIBC__)
#define COLSEC_OWN_ALLOCATOR 1
#else
#define COLSEC_OWN_ALLOCATOR 0
#endif

#if COLSEC_OWN_ALLOCATOR
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace colsec {

#if COLSEC_OWN_ALLOCATOR

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// From this size on a block is advised as huge-page memory: the element
// array, the solver's table, the element list's text.
constexpr std::size_t kLargeBlock = std::size_t{1} << 20;
// Blocks up to this size come from the heap, which keeps freed memory for
// the next block: pages the process has touched once are cheap to reuse,
// fresh ones are not. Larger blocks are mapped on their own.
constexpr std::size_t kMappedBlock = std::size_t{32} << 20;
// The heap of the smaller blocks grows by this much at a time.
constexpr std::size_t kHeapStep = std::size_t{64} << 20;

// The part of the heap advised at the start; blocks inside it need no
// further advice (a system call each).
std::atomic<std::uintptr_t> advisedFirst{0};
std::atomic<std::uintptr_t> advisedEnd{0};

void adviseHugePages(void* start, std::size_t bytes) {
  // Advice only: where the kernel refuses it, the pages are ordinary ones.
  (void)madvise(start, bytes, MADV_HUGEPAGE);
}

void* allocate(std::size_t bytes) {
  if (bytes < kLargeBlock) return std::malloc(bytes == 0 ? 1 : bytes);
  if (bytes < kMappedBlock) {
    // The heap may have grown beyond the part advised at the start.
    void* block = std::malloc(bytes);
    if (block != nullptr) {
      const auto first = (reinterpret_cast<std::uintptr_t>(block) + 4095) & ~std::uintptr_t{4095};
      const auto end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~std::uintptr_t{4095};
      const bool advised = advisedFirst.load(std::memory_order_relaxed) <= first &&
                           end <= advisedEnd.load(std::memory_order_relaxed);
      if (!advised && end > first) adviseHugePages(reinterpret_cast<void*>(first), end - first);
    }
    return block;
  }
  // Whole huge pages, so that the last one is eligible too.
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  if (rounded < bytes) return nullptr;
  void* block = std::aligned_alloc(kHugePage, rounded);
  if (block != nullptr) adviseHugePages(block, rounded);
  return block;
}

void* allocateOrThrow(std::size_t bytes) {
  for (;;) {
    if (void* block = allocate(bytes)) return block;
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

}  // namespace

void useLargePages() {
  // A fixed threshold: the C library would otherwise raise it after the
  // first large block is freed and serve the next ones from the heap.
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(kMappedBlock));
  mallopt(M_TOP_PAD, static_cast<int>(kHeapStep));
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kHeapStep));
  mallopt(M_ARENA_MAX, 1);
  // Grow the heap by one step now and advise all of it.
  void* probe = std::malloc(kLargeBlock / 2);
  if (probe == nullptr) return;
  const auto first = reinterpret_cast<std::uintptr_t>(probe) & ~std::uintptr_t{4095};
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  if (end > first) {
    adviseHugePages(reinterpret_cast<void*>(first), end - first);
    advisedFirst = first;
    advisedEnd = end;
  }
  std::free(probe);
}

#else

void useLargePages() {}

#endif

}  // namespace colsec

#if COLSEC_OWN_ALLOCATOR

// Every block, large or small, comes from the C library and goes back to
// it with free().
void* operator new(std::size_t bytes) { return colsec::allocateOrThrow(bytes); }
void* operator new[](std::size_t bytes) { return colsec::allocateOrThrow(bytes); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

#endif
