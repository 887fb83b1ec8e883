#pragma once

#include <cstddef>

// Heap bytes in use, counted by the benchmark program's own operator new and delete.
namespace AllocationCounter {

std::size_t CurrentBytes();
std::size_t PeakBytes();
// Starts a new peak from what is in use now.
void ResetPeak();

} // namespace AllocationCounter
