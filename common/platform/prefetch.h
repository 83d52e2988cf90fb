// Asking the memory for a cache line a little before it is read.
#pragma once

namespace common {

// GCC treats its prefetch built-in as free of effects and drops it together with the address
// arithmetic when nothing else uses that address (a loop of nothing but prefetches, or an
// address found by a loop), so on x86 the instruction is written out.
inline void Prefetch(const void* address) {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  asm volatile("prefetcht0 %0" : : "m"(*static_cast<const char*>(address)));
#elif defined(__GNUC__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

}  // namespace common
