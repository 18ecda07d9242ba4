#pragma once
// A growing array of plain values (the cells or the value bytes of a record store) in one
// large block (see LargeBlock.h). Values are copied with memcpy, which a vector with its own
// allocator does element by element.

#include "platform/dataset/LargeBlock.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

template <typename T>
class TLargeArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    TLargeArray() = default;
    TLargeArray(const TLargeArray& other)
    {
        Reserve(other.size_);
        Append(other.data_, other.size_);
    }
    TLargeArray(TLargeArray&& other) noexcept { Swap(other); }
    TLargeArray& operator=(TLargeArray other) noexcept
    {
        Swap(other);
        return *this;
    }
    ~TLargeArray() { LargeBlock::Free(data_, capacity_ * sizeof(T)); }

    std::size_t Size() const { return size_; }
    T* Data() { return data_; }
    const T* Data() const { return data_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }

    void Clear() { size_ = 0; }
    // Room for this many values in all.
    void Reserve(std::size_t count)
    {
        if (count <= capacity_)
            return;
        if (count > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_alloc();
        auto* data = static_cast<T*>(LargeBlock::Allocate(count * sizeof(T)));
        if (size_ > 0)
            std::memcpy(data, data_, size_ * sizeof(T));
        LargeBlock::Free(data_, capacity_ * sizeof(T));
        data_ = data;
        capacity_ = count;
    }
    // Appends the values and returns the index of the first.
    std::size_t Append(const T* values, std::size_t n)
    {
        Grow(n);
        const std::size_t at = size_;
        if (n > 0)
            std::memcpy(data_ + at, values, n * sizeof(T));
        size_ += n;
        return at;
    }
    // Appends n copies of the value.
    void AppendCopies(std::size_t n, const T& value)
    {
        Grow(n);
        std::fill(data_ + size_, data_ + size_ + n, value);
        size_ += n;
    }
    void Swap(TLargeArray& other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

private:
    // Room for n more values, at least doubling the capacity when it grows.
    void Grow(std::size_t n)
    {
        if (n <= capacity_ - size_)
            return;
        if (n > static_cast<std::size_t>(-1) / 2 - size_)
            throw std::bad_alloc();
        Reserve(size_ + std::max(n, size_));
    }

    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};
