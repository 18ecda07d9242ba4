#include "platform/dataset/LargeBlock.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace {

// A mapped block covers whole huge pages, so that none of it is left to small pages.
std::size_t MappedSize(std::size_t bytes)
{
    return (bytes + LargeBlock::HugePage - 1) & ~(LargeBlock::HugePage - 1);
}

} // namespace

void* LargeBlock::Allocate(std::size_t bytes)
{
    if (bytes < HugePage)
        return ::operator new(bytes);
    const std::size_t size = MappedSize(bytes);
    if (size < bytes || size + HugePage < size)
        throw std::bad_alloc();
    // Map a huge page more than needed and unmap what lies outside the aligned block.
    void* mapped = mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    auto* start = static_cast<char*>(mapped);
    auto* block = reinterpret_cast<char*>((reinterpret_cast<std::uintptr_t>(start) + HugePage - 1)
                                          & ~std::uintptr_t{HugePage - 1});
    if (block > start)
        munmap(start, static_cast<std::size_t>(block - start));
    const std::size_t tail = static_cast<std::size_t>(start + size + HugePage - (block + size));
    if (tail > 0)
        munmap(block + size, tail);
    // Without huge pages (switched off on this system) the block is still good memory.
    madvise(block, size, MADV_HUGEPAGE);
    return block;
}

void LargeBlock::Free(void* p, std::size_t bytes) noexcept
{
    if (p == nullptr)
        return;
    if (bytes < HugePage)
        ::operator delete(p);
    else
        munmap(p, MappedSize(bytes));
}
