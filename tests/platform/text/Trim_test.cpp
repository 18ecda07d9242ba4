#include "platform/text/Trim.h"

#include <gtest/gtest.h>

TEST(Trim, RemovesBlanksAndControlCharactersAtTheEndsOnly)
{
    const QString text = QStringLiteral(" \t\r\n\x01 a b\x1f \x7f ");
    EXPECT_EQ(Trim(text), QStringLiteral("a b\x1f \x7f"));
    EXPECT_EQ(TrimLeft(text), QStringLiteral("a b\x1f \x7f "));
    EXPECT_EQ(TrimRight(text), QStringLiteral(" \t\r\n\x01 a b\x1f \x7f"));
}

TEST(Trim, KeepsFullWidthBlanksAndHandlesEmptyTexts)
{
    // The full-width blank U+3000 is a character like any other.
    EXPECT_EQ(Trim(QStringLiteral("\u3000名前\u3000 ")), QStringLiteral("\u3000名前\u3000"));
    EXPECT_EQ(Trim(QString()), QString());
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
    EXPECT_EQ(TrimLeft(QStringLiteral("\t")), QString());
    EXPECT_EQ(TrimRight(QStringLiteral("\t")), QString());
    const QString nul(1, QChar(u'\0'));
    EXPECT_EQ(Trim(nul + QStringLiteral("x") + nul), QStringLiteral("x"));
}

TEST(Trim, IsBlank)
{
    EXPECT_TRUE(IsBlank(QString()));
    EXPECT_TRUE(IsBlank(QStringLiteral("  ")));
    EXPECT_TRUE(IsBlank(QStringLiteral("\t\r\n \x1f")));
    EXPECT_FALSE(IsBlank(QStringLiteral(" 5")));
    EXPECT_FALSE(IsBlank(QStringLiteral("\u3000")));
}
