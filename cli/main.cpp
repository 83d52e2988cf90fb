// mirukaze-cli: the command-line face of the furigana engine.
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>

#include "cli/run.h"

namespace {

// The process runs one command and ends. Blocks freed on the way are kept for the next ones
// instead of going back to the system at once: asked for again, every 4 KB of them would cost
// a page fault, about a tenth of a long ruby run's time. Only blocks of 32 MB and more are
// mapped on their own.
constexpr int kOwnMappingBytes = 32 << 20;
constexpr int kKeptFreeBytes = 256 << 20;

// The stretch the heap grows by at once: room for the dictionaries' tables and a run's buffers.
constexpr int kHeapStretchBytes = 64 << 20;
constexpr std::uintptr_t kHugePageBytes = 2 << 20;

void KeepFreedMemory() {
  mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
  mallopt(M_TRIM_THRESHOLD, kKeptFreeBytes);
}

// The dictionaries' tables, some megabytes read at random all through a ruby run, are put on
// huge pages, where a lookup finds its page without a walk of the page tables (in a virtual
// machine, a walk through two sets of them). Every thread allocates from the one heap, which
// grows at once by a stretch marked for huge pages before anything is put in it; the memory
// is still taken only as it is touched. Where the heap is not where the program break is (a
// checking allocator) or the kernel gives no huge pages, nothing changes. `memory` records
// what was done, for --version to tell.
void PutHeapOnHugePages(cli::ProcessMemory& memory) {
  mallopt(M_ARENA_MAX, 1);
  mallopt(M_TOP_PAD, kHeapStretchBytes);
  auto low = reinterpret_cast<std::uintptr_t>(sbrk(0));
  // More than the heap has free, so that it grows (kept through a volatile: a block freed
  // unused may otherwise never be asked for).
  void* volatile block = std::malloc(kHugePageBytes);
  std::free(block);
  auto high = reinterpret_cast<std::uintptr_t>(sbrk(0));
  if (high < low + kHeapStretchBytes) return;
  memory.heap_stretch = high - low;
  std::uintptr_t start = (low + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
  std::uintptr_t end = high & ~(kHugePageBytes - 1);
  if (start < end && madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE) == 0) {
    memory.huge_page_bytes = end - start;
  }
}

}  // namespace

int main(int argc, char** argv) {
  cli::ProcessMemory memory;
  KeepFreedMemory();
  memory.set_up = true;
  PutHeapOnHugePages(memory);
  return cli::Run(argc, argv, std::cout, std::cerr, memory);
}
