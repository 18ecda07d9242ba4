#include "platform/text/CommaText.h"

#include <gtest/gtest.h>

namespace {

QStringList L(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* s : items)
        out.append(QString::fromUtf8(s));
    return out;
}

} // namespace

TEST(CommaTextRead, SubsetLineExamples)
{
    EXPECT_EQ(SplitSubsetCommaText(QStringLiteral("5, 3,5 ,,9,")), L({"5", "3", "5", "", "9", ""}));
    EXPECT_EQ(SplitSubsetCommaText(QStringLiteral("3,1,12 ")), L({"3", "1", "12"}));
    EXPECT_EQ(SplitSubsetCommaText(QStringLiteral("1, 2")), L({"1", "2"}));
    EXPECT_EQ(SplitSubsetCommaText(QStringLiteral("1 2")), L({"1", "2"}));
    EXPECT_EQ(SplitSubsetCommaText(QStringLiteral("7,7,7")), L({"7", "7", "7"}));
    // An empty subset is written as a line of one blank.
    EXPECT_TRUE(SplitSubsetCommaText(QStringLiteral(" ")).isEmpty());
    EXPECT_TRUE(SplitSubsetCommaText(QString()).isEmpty());
}

TEST(CommaTextRead, BlanksAndControlCharactersSeparate)
{
    EXPECT_EQ(SplitCommaText(QStringLiteral(" \t 4\t5\x01" "6 ")), L({"4", "5", "6"}));
    EXPECT_EQ(SplitCommaText(QStringLiteral("a ,b")), L({"a", "b"}));
    EXPECT_EQ(SplitCommaText(QStringLiteral(",a")), L({"", "a"}));
    EXPECT_EQ(SplitCommaText(QStringLiteral(",")), L({"", ""}));
    // A comma followed by a blank at the end adds nothing: only a comma that is the very
    // last character does.
    EXPECT_EQ(SplitCommaText(QStringLiteral("a, ")), L({"a"}));
    EXPECT_EQ(SplitCommaText(QStringLiteral("a,,")), L({"a", "", ""}));
    // Non-ASCII characters are ordinary entry characters, the full-width blank included.
    EXPECT_EQ(SplitCommaText(QStringLiteral("全て\u3000の,問題")), L({"全て\u3000の", "問題"}));
}

TEST(CommaTextRead, QuotedEntries)
{
    EXPECT_EQ(SplitCommaText(QStringLiteral("\"- 秒\",\"- 秒\",○,×")), L({"- 秒", "- 秒", "○", "×"}));
    EXPECT_EQ(SplitCommaText(QStringLiteral("\"a,b\" \"say \"\"hi\"\"\"")), L({"a,b", "say \"hi\""}));
    EXPECT_EQ(SplitCommaText(QStringLiteral("\"\"")), L({""}));
    EXPECT_EQ(SplitCommaText(QStringLiteral("\"\",\"\"")), L({"", ""}));
    // Text right after a closing quote starts the next entry; an unclosed quote runs on.
    EXPECT_EQ(SplitCommaText(QStringLiteral("\"ab\"cd,e")), L({"ab", "cd", "e"}));
    EXPECT_EQ(SplitCommaText(QStringLiteral("x,\"open, end")), L({"x", "open, end"}));
}

TEST(CommaTextRead, NulEndsTheText)
{
    QString text = QStringLiteral("1,2");
    text += QChar(u'\0');
    text += QStringLiteral(",3");
    EXPECT_EQ(SplitCommaText(text), L({"1", "2"}));
}

TEST(CommaTextWrite, QuotesOnlyWhereNeeded)
{
    EXPECT_EQ(JoinCommaText(L({"a", "b c", "d,e", "f\"g", "h\ti", "日本"})),
              QStringLiteral("a,\"b c\",\"d,e\",\"f\"\"g\",\"h\ti\",日本"));
    EXPECT_EQ(JoinCommaText({}), QString());
    EXPECT_EQ(JoinCommaText(L({""})), QStringLiteral("\"\""));
    EXPECT_EQ(JoinCommaText(L({"a", "", "b"})), QStringLiteral("a,,b"));
}

TEST(CommaTextWrite, RoundTrips)
{
    const QList<QStringList> lists = {
        L({""}), L({"", ""}), L({"a", ""}), L({"", "a"}), L({" lead", "trail ", "\"q\"", ",", "改\r\n行"}),
        L({"http://127.0.0.1/a?x=1", "help\\info.html"}),
    };
    for (const QStringList& list : lists)
        EXPECT_EQ(SplitCommaText(JoinCommaText(list)), list) << JoinCommaText(list).toStdString();
}
