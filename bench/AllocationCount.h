#pragma once

// Counts the program's allocations through operator new, so that a benchmark can report allocations per
// record, a figure that a busy machine does not disturb. Include it in one source file of a benchmark.
#include <cstddef>
#include <cstdlib>
#include <new>

namespace allocationcount {

inline std::size_t allocations = 0;

} // namespace allocationcount

void* operator new(std::size_t size) {
  ++allocationcount::allocations;
  if (void* memory = std::malloc(size ? size : 1))
    return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
