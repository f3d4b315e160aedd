// Counts calls of the global operator new in a test executable that links AllocationCounter.cpp.
#pragma once

#include <cstddef>

namespace moravel::test {

// Allocations through operator new (and new[]) since the program started.
std::size_t AllocationCount();

}  // namespace moravel::test
