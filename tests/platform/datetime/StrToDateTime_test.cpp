#include "platform/datetime/DateTime.h"

#include <gtest/gtest.h>

namespace {

TDateTime S(const char* text) { return StrToDateTime(QString::fromUtf8(text)); }

} // namespace

TEST(StrToDateTime, DateTimeAndBoth)
{
    EXPECT_EQ(S("2011/05/12 14:03:09"), EncodeDateTime(2011, 5, 12, 14, 3, 9, 0));
    EXPECT_EQ(S("2011/05/12"), EncodeDate(2011, 5, 12));
    EXPECT_EQ(S("2011/5/2 9:5:3"), EncodeDateTime(2011, 5, 2, 9, 5, 3, 0));
    EXPECT_EQ(S("2011/05/12 14:03"), EncodeDateTime(2011, 5, 12, 14, 3, 0, 0));
    EXPECT_EQ(S("  2011/05/12   14:03:09  "), EncodeDateTime(2011, 5, 12, 14, 3, 9, 0));
    EXPECT_EQ(S("1899/12/30 00:00:10.000"), EncodeTime(0, 0, 10, 0));
    EXPECT_EQ(S("2000/02/29 23:59:59.999"), EncodeDateTime(2000, 2, 29, 23, 59, 59, 999));
}

TEST(StrToDateTime, DurationsAreBelowOneDay)
{
    EXPECT_EQ(S("0:02:09"), 129.0 / 86400);
    EXPECT_EQ(S("1899/12/30 0:02:09"), 129.0 / 86400);
    EXPECT_EQ(S("23:59"), EncodeTime(23, 59, 0, 0));
    EXPECT_EQ(FormatDateTime(QStringLiteral("n分ss秒"), S("0:02:09")), QStringLiteral("2分09秒"));
    // A negative total time is written as its magnitude on day 0 and reads back positive.
    EXPECT_EQ(S(DateTimeToStr(-129.0 / 86400).toUtf8().constData()), 129.0 / 86400);
}

TEST(StrToDateTime, BeforeDayZeroTheTimeCountsTowardsThePast)
{
    EXPECT_EQ(S("1899/12/29 6:00:00"), -1.25);
    EXPECT_EQ(S("1899/12/29"), -1.0);
}

TEST(StrToDateTime, ReadsBackTheDefaultTextToTheSecond)
{
    const TDateTime values[] = {
        0, EncodeDate(2011, 5, 12), EncodeDateTime(2011, 5, 12, 14, 3, 9, 0),
        EncodeDateTime(2024, 1, 2, 9, 5, 3, 0), EncodeDateTime(9999, 12, 31, 23, 59, 59, 0),
        EncodeDateTime(1, 1, 1, 0, 0, 1, 0), -1.25, EncodeTime(0, 0, 59, 0),
    };
    for (TDateTime v : values)
        EXPECT_EQ(S(DateTimeToStr(v).toUtf8().constData()), v) << DateTimeToStr(v).toStdString();

    // Milliseconds are not in the text: the value comes back rounded to the second below.
    const TDateTime withMs = EncodeDateTime(2011, 5, 12, 14, 3, 9, 600);
    EXPECT_EQ(S(DateTimeToStr(withMs).toUtf8().constData()), EncodeDateTime(2011, 5, 12, 14, 3, 9, 0));
}

TEST(StrToDateTime, RejectsOtherTexts)
{
    for (const char* text : {"", " ", "-", "abc", "2011", "2011/05", "2011/13/01", "2011/02/29",
                             "1900/02/29", "2011/04/31", "0000/01/01", "11/05/12", "02011/05/12",
                             "2011-05-12", "2011/05/12T14:03", "2011/05/12 24:00:00",
                             "2011/05/12 12:60", "2011/05/12 12:00:60", "12:30:", "12", "12:",
                             "2011/05/12 14:03:09 x", "2011/05/12 14:03:09.5", "14:03:09.1234",
                             "2011/05/12x", "１２:００", "2011/05/12 14:03 PM", "\t2011/05/12"}) {
        TDateTime value = 42;
        EXPECT_FALSE(TryStrToDateTime(QString::fromUtf8(text), value)) << text;
        EXPECT_EQ(value, 42) << text;
    }
}

TEST(StrToDateTime, ErrorNamesTheText)
{
    try {
        S("2011/02/30");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("'2011/02/30'")));
    }
}
