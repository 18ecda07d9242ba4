#pragma once
// Memory for a dataset's large arrays (its cells, its byte pool, a file read whole). A
// block of 2 MiB or more is mapped on its own, aligned to 2 MiB and marked for transparent
// huge pages: filling it then takes one page fault per 2 MiB instead of one per 4 KiB,
// which is most of the time of reading a large file. Freeing it unmaps it. Smaller blocks
// come from the ordinary heap.

#include <cstddef>

namespace LargeBlock {

constexpr std::size_t HugePage = std::size_t{2} << 20;

// Uninitialised memory of at least `bytes` bytes; throws std::bad_alloc.
void* Allocate(std::size_t bytes);
// `bytes` as given to Allocate.
void Free(void* p, std::size_t bytes) noexcept;

} // namespace LargeBlock
