#include "platform/text/Convert.h"

#include <gtest/gtest.h>

TEST(StrToInt, AcceptedForms)
{
    EXPECT_EQ(StrToInt(QStringLiteral("12")), 12);
    EXPECT_EQ(StrToInt(QStringLiteral("  12")), 12);
    EXPECT_EQ(StrToInt(QStringLiteral("+7")), 7);
    EXPECT_EQ(StrToInt(QStringLiteral("-7")), -7);
    EXPECT_EQ(StrToInt(QStringLiteral("007")), 7);
    EXPECT_EQ(StrToInt(QStringLiteral("$1F")), 31);
    EXPECT_EQ(StrToInt(QStringLiteral("0x1f")), 31);
    EXPECT_EQ(StrToInt(QStringLiteral("0X1F")), 31);
    EXPECT_EQ(StrToInt(QStringLiteral(" -$10")), -16);
    EXPECT_EQ(StrToInt(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(StrToInt(QStringLiteral("-2147483648")), -2147483647 - 1);
    // Hexadecimal values fill the 32 bits, as colour values do.
    EXPECT_EQ(StrToInt(QStringLiteral("$FFFFFFFF")), -1);
    EXPECT_EQ(StrToInt(QStringLiteral("0x80000000")), -2147483647 - 1);
}

TEST(StrToInt, RejectedForms)
{
    for (const char* text : {"", " ", "abc", "12 ", "1 2", "\t12", "+", "-", "$", "0x", "1F", "12a",
                             "--1", "+-1", "- 1", "1.0", "１２", "2147483648", "-2147483649",
                             "$100000000", "0x1g"}) {
        int value = 99;
        EXPECT_FALSE(TryStrToInt(QString::fromUtf8(text), value)) << text;
        EXPECT_EQ(value, 99) << text;
        EXPECT_EQ(StrToIntDef(QString::fromUtf8(text), -5), -5) << text;
    }
}

TEST(StrToInt, ErrorNamesTheText)
{
    try {
        StrToInt(QStringLiteral("abc"));
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("'abc'")));
    }
    EXPECT_EQ(StrToIntDef(QStringLiteral("$1F"), 0), 31);
    EXPECT_EQ(StrToIntDef(QStringLiteral(" 12"), 0), 12);
}

TEST(FormatFloat, WholeNumbersWithHalvesAwayFromZero)
{
    const QString p = QStringLiteral("#0");
    EXPECT_EQ(FormatFloat(p, 0.5), QStringLiteral("1"));
    EXPECT_EQ(FormatFloat(p, 1.5), QStringLiteral("2"));
    EXPECT_EQ(FormatFloat(p, 2.5), QStringLiteral("3"));
    EXPECT_EQ(FormatFloat(p, -0.5), QStringLiteral("-1"));
    EXPECT_EQ(FormatFloat(p, 33.333), QStringLiteral("33"));
    EXPECT_EQ(FormatFloat(p, 0.0), QStringLiteral("0"));
    EXPECT_EQ(FormatFloat(p, 0.49), QStringLiteral("0"));
    EXPECT_EQ(FormatFloat(p, -0.4), QStringLiteral("0")); // no "-0"
    EXPECT_EQ(FormatFloat(p, 123456789.0), QStringLiteral("123456789"));
}

TEST(FormatFloat, PercentPatternOfQuotients)
{
    const QString p = QStringLiteral("#0%");
    EXPECT_EQ(FormatFloat(p, 1.0 / 3 * 100), QStringLiteral("33%"));
    EXPECT_EQ(FormatFloat(p, 2.0 / 3 * 100), QStringLiteral("67%"));
    EXPECT_EQ(FormatFloat(p, 1.0 / 8 * 100), QStringLiteral("13%")); // 12.5
    EXPECT_EQ(FormatFloat(p, 7.0 / 5 * 100), QStringLiteral("140%"));
    EXPECT_EQ(FormatFloat(p, -1.0 / 3 * 100), QStringLiteral("-33%"));
    // 57 / 200 * 100 is 28.499999999999996 in binary; it stands for 28.5.
    EXPECT_EQ(FormatFloat(p, 57.0 / 200 * 100), QStringLiteral("29%"));
}

TEST(FormatFloat, PlaceholdersAndUnsupportedPatterns)
{
    EXPECT_EQ(FormatFloat(QStringLiteral("000"), 7), QStringLiteral("007"));
    EXPECT_EQ(FormatFloat(QStringLiteral("#"), 0), QString());
    EXPECT_THROW(FormatFloat(QStringLiteral("#0.0"), 1), EConvertError);
    EXPECT_THROW(FormatFloat(QStringLiteral("#,##0"), 1), EConvertError);
    EXPECT_THROW(FormatFloat(QStringLiteral("#0"), std::numeric_limits<double>::quiet_NaN()), EConvertError);
}

TEST(FormatInt, RightAlignedInWidth)
{
    EXPECT_EQ(FormatInt(3, 3), QStringLiteral("  3"));
    EXPECT_EQ(FormatInt(12, 3), QStringLiteral(" 12"));
    EXPECT_EQ(FormatInt(123, 3), QStringLiteral("123"));
    EXPECT_EQ(FormatInt(1234, 3), QStringLiteral("1234"));
    EXPECT_EQ(FormatInt(-5, 3), QStringLiteral(" -5"));
    EXPECT_EQ(IntToStr(-42), QStringLiteral("-42"));
}
