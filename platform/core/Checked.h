#pragma once
// Checked integer arithmetic and indexing: overflow and out-of-range access raise an
// ERangeError instead of wrapping or reading past the end.

#include "platform/core/Exception.h"

#include <cstddef>
#include <limits>

class ERangeError : public Exception {
public:
    using Exception::Exception;
};

template <class T>
T CheckedAdd(T a, T b)
{
    T result;
    if (__builtin_add_overflow(a, b, &result))
        throw ERangeError(QStringLiteral("Integer overflow"));
    return result;
}

template <class T>
T CheckedSub(T a, T b)
{
    T result;
    if (__builtin_sub_overflow(a, b, &result))
        throw ERangeError(QStringLiteral("Integer overflow"));
    return result;
}

template <class T>
T CheckedMul(T a, T b)
{
    T result;
    if (__builtin_mul_overflow(a, b, &result))
        throw ERangeError(QStringLiteral("Integer overflow"));
    return result;
}

// Container element at Index, raising ERangeError when Index is outside [0, size).
template <class Container>
auto& CheckedAt(Container& c, long long index)
{
    if (index < 0 || static_cast<unsigned long long>(index) >= c.size())
        throw ERangeError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return c[static_cast<std::size_t>(index)];
}
