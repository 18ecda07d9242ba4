#include "platform/dataset/BytePool.h"

TBytePool::TBytePool(const TBytePool& other)
{
    Reserve(other.size_);
    Append(other.data_, other.size_);
}

void TBytePool::Reserve(std::size_t bytes)
{
    if (bytes <= capacity_)
        return;
    auto* data = static_cast<char*>(LargeBlock::Allocate(bytes));
    if (size_ > 0)
        std::memcpy(data, data_, size_);
    LargeBlock::Free(data_, capacity_);
    data_ = data;
    capacity_ = bytes;
}
