// mirukaze-cli: the command-line face of the furigana engine.
#include <malloc.h>

#include <iostream>

#include "cli/run.h"

namespace {

// The process runs one command and ends. Blocks freed on the way are kept for the next ones
// instead of going back to the system at once: asked for again, every 4 KB of them would cost
// a page fault, about a tenth of a long ruby run's time. Only blocks of 32 MB and more are
// mapped on their own.
constexpr int kOwnMappingBytes = 32 << 20;
constexpr int kKeptFreeBytes = 256 << 20;

void KeepFreedMemory() {
  mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
  mallopt(M_TRIM_THRESHOLD, kKeptFreeBytes);
}

}  // namespace

int main(int argc, char** argv) {
  KeepFreedMemory();
  return cli::Run(argc, argv, std::cout, std::cerr);
}
