#include "platform/core/Exception.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

[[gnu::noinline]] void ThrowHere() { throw Exception(QStringLiteral("first")); }
[[gnu::noinline]] void ThrowThere() { throw std::runtime_error("second"); }

std::uint32_t AddressOf(void (*thrower)())
{
    try {
        thrower();
    } catch (...) {
        return ExceptAddr();
    }
    return 0;
}

} // namespace

TEST(ExceptAddr, IsZeroOutsideAHandler)
{
    EXPECT_EQ(ExceptAddr(), 0u);
    EXPECT_EQ(ExceptMessage(), QString());
}

TEST(ExceptAddr, PointsIntoTheThrowingFunction)
{
    const auto here = AddressOf(&ThrowHere);
    const auto there = AddressOf(&ThrowThere);
    const auto low = [](void (*f)()) {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(f));
    };
    // The throw site lies a short way after the start of the function that throws.
    EXPECT_GT(here, low(&ThrowHere));
    EXPECT_LT(here - low(&ThrowHere), 512u);
    EXPECT_GT(there, low(&ThrowThere));
    EXPECT_LT(there - low(&ThrowThere), 512u);
}

TEST(ExceptAddr, FollowsTheInnerExceptionWhileNested)
{
    try {
        ThrowHere();
    } catch (...) {
        const auto outer = ExceptAddr();
        try {
            ThrowThere();
        } catch (...) {
            EXPECT_NE(ExceptAddr(), outer);
            EXPECT_EQ(ExceptMessage(), QStringLiteral("second"));
        }
        EXPECT_EQ(ExceptAddr(), outer);
        EXPECT_EQ(ExceptMessage(), QStringLiteral("first"));
    }
}

TEST(Exception, CarriesItsMessageAsUtf8)
{
    const Exception e(QStringLiteral("読めません"));
    EXPECT_EQ(e.Message(), QStringLiteral("読めません"));
    EXPECT_STREQ(e.what(), "読めません");
}
