#include "platform/datetime/DateTime.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <limits>

TEST(EncodeDateTime, DaysSince18991230)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2011, 5, 12), 40675.0);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(0, 0, 10, 0), 10.0 / 86400);
    EXPECT_EQ(EncodeDateTime(2011, 5, 12, 18, 0, 0, 0), 40675.75);
    // Before day 0 the time of day counts towards the past.
    EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
}

TEST(EncodeDateTime, InvalidFieldsRaise)
{
    EXPECT_THROW(EncodeDate(2011, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2011, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(10000, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(DecodeDateTime, FieldsOfPositiveAndNegativeValues)
{
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
    DecodeDate(EncodeDateTime(2024, 5, 1, 13, 7, 9, 250), y, m, d);
    DecodeTime(EncodeDateTime(2024, 5, 1, 13, 7, 9, 250), h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{2024, 5, 1, 13, 7, 9, 250}));

    // The date from the integer part, the time from the magnitude of the fraction.
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{1899, 12, 29, 6, 0, 0, 0}));
    DecodeDate(-0.0015, y, m, d);
    DecodeTime(-0.0015, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{1899, 12, 30, 0, 2, 9, 600}));

    DecodeDate(-693593, y, m, d);
    EXPECT_EQ((std::vector<int>{y, m, d}), (std::vector<int>{1, 1, 1}));
    DecodeDate(2958465.5, y, m, d);
    EXPECT_EQ((std::vector<int>{y, m, d}), (std::vector<int>{9999, 12, 31}));
}

TEST(DecodeDateTime, IsValidDateTimeAgreesWithDecodingAtEveryEdge)
{
    const double halfMs = 0.5 / 86400000;
    const std::vector<double> values = {
        0, -1.25, -693593, -693593.9999, -693594, -693594 + halfMs / 2, 2958465.9999,
        2958466, 2958466 - halfMs / 2, 2958466 - halfMs * 3, 1e300, -1e300,
        std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    for (const double value : values) {
        bool decodes = true;
        try {
            int y = 0, m = 0, d = 0;
            DecodeDate(value, y, m, d);
        } catch (const EConvertError&) {
            decodes = false;
        }
        EXPECT_EQ(IsValidDateTime(value), decodes) << value;
    }
}

TEST(DecodeDateTime, RoundsToTheNearestMillisecond)
{
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(9.9996 / 86400, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{h, n, s, ms}), (std::vector<int>{0, 0, 10, 0}));
    DecodeTime(129.6 / 86400, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{h, n, s, ms}), (std::vector<int>{0, 2, 9, 600}));
    // Less than half a millisecond before midnight is the next day.
    const TDateTime almost = EncodeDate(2011, 12, 31) + (86400 - 0.0004) / 86400;
    DecodeDate(almost, y, m, d);
    DecodeTime(almost, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{2012, 1, 1, 0, 0, 0, 0}));
}

TEST(DecodeDateTime, DateOfAndTimeOf)
{
    const TDateTime value = EncodeDateTime(2011, 5, 12, 14, 3, 9, 7);
    EXPECT_EQ(DateOf(value), 40675.0);
    EXPECT_EQ(TimeOf(value), EncodeTime(14, 3, 9, 7));
    EXPECT_EQ(DateOf(-1.25), -1.0);
    EXPECT_EQ(TimeOf(-1.25), 0.25);
    EXPECT_EQ(TimeOf(-0.0015), EncodeTime(0, 2, 9, 600));
}

TEST(DecodeDateTime, ValuesOutsideTheCalendarRaise)
{
    int y = 0, m = 0, d = 0;
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity(), 2958466.0, -693594.5, 1e300}) {
        EXPECT_THROW(DecodeDate(bad, y, m, d), EConvertError) << bad;
        EXPECT_THROW(FormatDateTime(QStringLiteral("hh"), bad), EConvertError) << bad;
    }
}

TEST(Clock, NowIsLocalTimeAndCanBeReplaced)
{
    const QDateTime before = QDateTime::currentDateTime();
    const TDateTime now = Now();
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
    DecodeDate(now, y, m, d);
    DecodeTime(now, h, n, s, ms);
    const QDateTime read(QDate(y, m, d), QTime(h, n, s, ms));
    EXPECT_LE(std::llabs(before.msecsTo(read)), 2000);

    TDateTime fake = EncodeDateTime(2011, 5, 12, 14, 3, 9, 0);
    SetNowFunction([&fake] { return fake; });
    EXPECT_EQ(Now(), fake);
    fake += EncodeTime(0, 0, 10, 0); // a test advances the clock
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:nn:ss"), Now()), QStringLiteral("14:03:19"));
    ResetNowFunction();
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}
