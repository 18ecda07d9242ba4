#include "platform/datetime/DateTime.h"

#include <gtest/gtest.h>

namespace {

QString F(const char* pattern, TDateTime value)
{
    return FormatDateTime(QString::fromUtf8(pattern), value);
}

const TDateTime Stamp = EncodeDateTime(2011, 5, 12, 14, 3, 9, 7);
const TDateTime Morning = EncodeDateTime(2024, 1, 2, 9, 5, 3, 40);

double Seconds(double s) { return s / 86400; }

} // namespace

TEST(FormatDateTime, PaddedAndUnpaddedElements)
{
    EXPECT_EQ(F("yyyy/mm/dd hh:nn:ss", Stamp), QStringLiteral("2011/05/12 14:03:09"));
    EXPECT_EQ(F("yyyy/mm/dd hh:nn:ss", Morning), QStringLiteral("2024/01/02 09:05:03"));
    EXPECT_EQ(F("zzz", Stamp), QStringLiteral("007"));
    EXPECT_EQ(F("zzz", Morning), QStringLiteral("040"));
    EXPECT_EQ(F("yyyy", EncodeDate(800, 3, 1)), QStringLiteral("0800"));
    EXPECT_EQ(F("h:n:s", Morning), QStringLiteral("9:5:3"));
    EXPECT_EQ(F("d m", Morning), QStringLiteral("2 1"));
    EXPECT_EQ(F("z", Morning), QStringLiteral("40"));
    EXPECT_EQ(F("yy", Morning), QStringLiteral("24"));
    EXPECT_EQ(F("s", Seconds(65)), QStringLiteral("5")); // seconds within the minute
}

TEST(FormatDateTime, MonthOrMinute)
{
    // mm after an hour element is the minute, also with separators and literals between.
    EXPECT_EQ(F("YYYY/MM/DD HH:MM:SS", Stamp), QStringLiteral("2011/05/12 14:03:09"));
    EXPECT_EQ(F("yyyy/mm/dd hh:mm:ss", Stamp), QStringLiteral("2011/05/12 14:03:09"));
    EXPECT_EQ(F("YYYYMMDDHHMMSSZZZ", Stamp), QStringLiteral("20110512140309007"));
    EXPECT_EQ(F("hh時mm分", Stamp), QStringLiteral("14時03分"));
    EXPECT_EQ(F("h x m", Stamp), QStringLiteral("14 x 3"));
    // Another element in between makes it the month again.
    EXPECT_EQ(F("hh dd mm", Stamp), QStringLiteral("14 12 05"));
}

TEST(FormatDateTime, CaseAndLiterals)
{
    EXPECT_EQ(F("HH:NN:SS", Stamp), QStringLiteral("14:03:09"));
    EXPECT_EQ(F("Hh:nN", Stamp), QStringLiteral("14:03"));
    EXPECT_EQ(F(" s.zzz", Seconds(3.25)), QStringLiteral(" 3.250"));
    EXPECT_EQ(F("n分ss秒", 0.0015), QStringLiteral("2分09秒"));
    EXPECT_EQ(F("[yyyy] x-q!", Stamp), QStringLiteral("[2011] x-q!"));
    EXPECT_EQ(F("", Stamp), QString());
}

TEST(FormatDateTime, DurationsRoundedToMilliseconds)
{
    EXPECT_EQ(F("s", Seconds(9.9996)), QStringLiteral("10"));
    EXPECT_EQ(F("s.zzz", Seconds(9.9994)), QStringLiteral("9.999"));
    EXPECT_EQ(F("szzz", Seconds(3.045)), QStringLiteral("3045"));
    EXPECT_EQ(F("sszzz", Seconds(1)), QStringLiteral("01000"));
    EXPECT_EQ(F(" s.zzz", 0), QStringLiteral(" 0.000"));
    EXPECT_EQ(F("n分ss秒", Seconds(3599.9996)), QStringLiteral("0分00秒")); // a whole hour
}

TEST(FormatDateTime, NegativeValuesUseTheMagnitudeOfTheTime)
{
    EXPECT_EQ(F("n分ss秒", Seconds(-35)), QStringLiteral("0分35秒"));
    EXPECT_EQ(F("s.zzz", Seconds(-3.5)), QStringLiteral("3.500"));
    EXPECT_EQ(F("szzz", Seconds(-3.045)), QStringLiteral("3045"));
    EXPECT_EQ(F("n分ss秒", -0.0015), QStringLiteral("2分09秒"));
    // The date is the integer part, towards zero.
    EXPECT_EQ(F("yyyy/mm/dd hh:nn:ss", -0.0015), QStringLiteral("1899/12/30 00:02:09"));
    EXPECT_EQ(F("yyyy/mm/dd hh:nn:ss", -1.25), QStringLiteral("1899/12/29 06:00:00"));
}

TEST(DateTimeToStr, ShortDateBlankLongTime)
{
    EXPECT_EQ(DateTimeToStr(Stamp), QStringLiteral("2011/05/12 14:03:09"));
    EXPECT_EQ(DateTimeToStr(Morning), QStringLiteral("2024/01/02 9:05:03"));
    EXPECT_EQ(DateTimeToStr(0.0015), QStringLiteral("1899/12/30 0:02:09"));
    EXPECT_EQ(DateTimeToStr(-0.0015), QStringLiteral("1899/12/30 0:02:09"));
    EXPECT_EQ(DateTimeToStr(-1.25), QStringLiteral("1899/12/29 6:00:00"));
}

TEST(DateTimeToStr, TimeLeftOutAtMidnight)
{
    EXPECT_EQ(DateTimeToStr(0), QStringLiteral("1899/12/30"));
    EXPECT_EQ(DateTimeToStr(EncodeDate(2011, 5, 12)), QStringLiteral("2011/05/12"));
    // Midnight to the second: milliseconds alone do not show a time.
    EXPECT_EQ(DateTimeToStr(EncodeDateTime(2011, 5, 12, 0, 0, 0, 400)), QStringLiteral("2011/05/12"));
    EXPECT_EQ(DateTimeToStr(EncodeDateTime(2011, 5, 12, 0, 0, 1, 0)), QStringLiteral("2011/05/12 0:00:01"));
    EXPECT_EQ(DateTimeToStr(Seconds(0.0004)), QStringLiteral("1899/12/30"));
}
