#pragma once
// The bytes of a record store's values: one block that grows at its end. Appending copies
// with memcpy into room reserved ahead, which a vector with its own allocator does byte by
// byte.

#include "platform/dataset/LargeBlockAllocator.h"

#include <algorithm>
#include <cstring>
#include <utility>

class TBytePool {
public:
    TBytePool() = default;
    TBytePool(const TBytePool& other);
    TBytePool(TBytePool&& other) noexcept { Swap(other); }
    TBytePool& operator=(TBytePool other) noexcept
    {
        Swap(other);
        return *this;
    }
    ~TBytePool() { LargeBlock::Free(data_, capacity_); }

    const char* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    void Clear() { size_ = 0; }
    // Room for this many bytes in all.
    void Reserve(std::size_t bytes);
    // Appends the bytes and returns where they start.
    std::size_t Append(const char* bytes, std::size_t n)
    {
        if (n > capacity_ - size_)
            Reserve(size_ + std::max(n, size_));
        const std::size_t at = size_;
        if (n > 0)
            std::memcpy(data_ + at, bytes, n);
        size_ += n;
        return at;
    }
    void Swap(TBytePool& other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};
