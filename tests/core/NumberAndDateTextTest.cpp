#include <bit>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "builder/TableBuilder.h"
#include "table/DateText.h"
#include "table/NumberText.h"

namespace tessaro {
namespace {

TEST(NumberText, WholeNumbersAndFractions) {
    EXPECT_EQ(FormatNumberText(0), " 0");
    EXPECT_EQ(FormatNumberText(-0.0), " 0");
    EXPECT_EQ(FormatNumberText(42), " 42");
    EXPECT_EQ(FormatNumberText(-42), "-42");
    EXPECT_EQ(FormatNumberText(0.5), " .5");
    EXPECT_EQ(FormatNumberText(-0.25), "-.25");
    EXPECT_EQ(FormatNumberText(10.5), " 10.5");
    EXPECT_EQ(FormatNumberText(100), " 100");
    EXPECT_EQ(FormatNumberText(0.001234), " .001234");
}

TEST(NumberText, FifteenSignificantDigitsTheSixteenthRounding) {
    EXPECT_EQ(FormatNumberText(0.1 + 0.2), " .3");
    EXPECT_EQ(FormatNumberText(2.675), " 2.675");
    EXPECT_EQ(FormatNumberText(1.0 / 3.0), " .333333333333333");
    EXPECT_EQ(FormatNumberText(2.0 / 3.0), " .666666666666667");
    EXPECT_EQ(FormatNumberText(123456789012345.0), " 123456789012345");
    EXPECT_EQ(FormatNumberText(999999999999999.0), " 999999999999999");
    EXPECT_EQ(FormatNumberText(9.999999999999999), " 10");
    EXPECT_EQ(FormatNumberText(2147483647.0), " 2147483647");
    // Exactly 2.94861147310066 4999999999999999 58...E+37: the 16th digit is a 4, and 9s
    // rounded up in the 31st digit must not carry into it.
    EXPECT_EQ(FormatNumberText(2.948611473100665e37), " 2.94861147310066E+37");
    EXPECT_EQ(FormatNumberText(-2.948611473100665e37), "-2.94861147310066E+37");
}

TEST(NumberText, ExponentFormBeyondFifteenDigits) {
    EXPECT_EQ(FormatNumberText(1e16), " 1E+16");
    EXPECT_EQ(FormatNumberText(1e15), " 1E+15");
    EXPECT_EQ(FormatNumberText(1.5e20), " 1.5E+20");
    EXPECT_EQ(FormatNumberText(-1.5e20), "-1.5E+20");
    EXPECT_EQ(FormatNumberText(1e-16), " 1E-16");
    EXPECT_EQ(FormatNumberText(1.5e-15), " 1.5E-15");
    EXPECT_EQ(FormatNumberText(1e-15), " .000000000000001");
    EXPECT_EQ(FormatNumberText(1.7976931348623157e308), " 1.79769313486232E+308");
    EXPECT_EQ(FormatNumberText(5e-324), " 4.94065645841247E-324");
}

TEST(NumberText, WholeNumbersUpTo15Digits) {
    EXPECT_EQ(FormatNumberText(-2147483648.0), "-2147483648");
    EXPECT_EQ(FormatNumberText(999999999999999.0), " 999999999999999");
    EXPECT_EQ(FormatNumberText(-999999999999999.0), "-999999999999999");
    EXPECT_EQ(FormatNumberText(1e15), " 1E+15");
    EXPECT_EQ(FormatNumberText(7.0), " 7");
}

TEST(NumberText, NonNumbers) {
    EXPECT_EQ(FormatNumberText(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(FormatNumberText(std::numeric_limits<double>::infinity()), " Inf");
    EXPECT_EQ(FormatNumberText(-std::numeric_limits<double>::infinity()), "-Inf");
}

// The calendar walked as a person walks it, a second opinion on the closed form the
// program computes dates with.
int IsLeapYear(std::int64_t year) {
    return (year % 400 == 0 || (year % 100 != 0 && year % 4 == 0)) ? 1 : 0;
}

int DaysInMonth(int month, std::int64_t year) {
    switch (month) {
        case 2: return 28 + IsLeapYear(year);
        case 4:
        case 6:
        case 9:
        case 11: return 30;
        default: return 31;
    }
}

std::string FormatDate(int month, int day, std::int64_t year) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d-%02d-%04lld", day, month, static_cast<long long>(year));
    return text;
}

TEST(Calendar, LeapYearsAndMonthLengths) {
    EXPECT_EQ(IsLeapYear(1900), 0);
    EXPECT_EQ(IsLeapYear(2000), 1);
    EXPECT_EQ(IsLeapYear(2024), 1);
    EXPECT_EQ(IsLeapYear(2023), 0);
    EXPECT_EQ(IsLeapYear(2100), 0);
    EXPECT_EQ(DaysInMonth(2, 1900), 28);
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(4, 2001), 30);
    EXPECT_EQ(DaysInMonth(12, 2001), 31);
    EXPECT_EQ(FormatDate(3, 7, 1999), "07-03-1999");
}

TEST(Calendar, DayNumbersCountFrom1900) {
    EXPECT_EQ(DayNumberToDate(0), "01-01-1900");
    EXPECT_EQ(DayNumberToDate(58), "28-02-1900");
    EXPECT_EQ(DayNumberToDate(59), "01-03-1900") << "1900 is no leap year";
    EXPECT_EQ(DayNumberToDate(364), "31-12-1900");
    EXPECT_EQ(DayNumberToDate(36524), "01-01-2000");
    EXPECT_EQ(DayNumberToDate(36524 + 59), "29-02-2000");
    EXPECT_EQ(DayNumberToDate(65535), "06-06-2079");
    EXPECT_EQ(DayNumberToDate(65536), "07-06-2079");
    EXPECT_EQ(DayNumberToDate(2958463), "31-12-9999");
}

TEST(Calendar, EveryDayNumberIsTheNextCalendarDay) {
    // Walks the calendar a day at a time from 1900-01-01 to 9999-12-31.
    std::int64_t year = 1900;
    int month = 1;
    int day = 1;
    for (std::int64_t dayNumber = 0; dayNumber <= 2958463; ++dayNumber) {
        if (dayNumber < 100000 || dayNumber % 89 == 0 || dayNumber > 2958000) {
            ASSERT_EQ(DayNumberToDate(dayNumber), FormatDate(month, day, year)) << dayNumber;
        }
        if (++day > DaysInMonth(month, year)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    EXPECT_EQ(year, 10000);
}

double Stamp(std::int64_t dayNumber, std::int64_t msIntoDay) {
    return 59926694400000.0 + static_cast<double>(dayNumber) * 86400000.0 +
           static_cast<double>(msIntoDay);
}

std::string StampBytes(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::string bytes;
    for (int shift = 56; shift >= 0; shift -= 8) {
        bytes += static_cast<char>(bits >> shift & 0xFF);
    }
    return bytes;
}

TEST(Timestamps, DateAndTimeOfDay) {
    EXPECT_EQ(FormatTimestamp(StampBytes(Stamp(0, 0))), "01-01-1900  00:00:00");
    EXPECT_EQ(FormatTimestamp(StampBytes(63082413296000.0)), "01-01-2000  12:34:56");
    EXPECT_EQ(FormatTimestamp(StampBytes(Stamp(65535, 86399999))), "06-06-2079  23:59:59");
    EXPECT_EQ(FormatTimestamp(StampBytes(Stamp(65536, 0))), "07-06-2079  00:00:00");
    EXPECT_EQ(FormatTimestamp(StampBytes(Stamp(1, 3600000 + 60000 + 1999))),
              "02-01-1900  01:01:01");
}

TEST(Timestamps, TheMaskForWhatCannotBeShown) {
    const std::string mask = "**-**-****  **:**:**";
    EXPECT_EQ(FormatTimestamp(std::string(8, '\0')), mask);
    EXPECT_EQ(FormatTimestamp(StampBytes(Stamp(0, -1))), mask) << "before 1900";
    EXPECT_EQ(FormatTimestamp(StampBytes(-1e300)), mask);
    EXPECT_EQ(FormatTimestamp(StampBytes(1e300)), mask) << "beyond the year 9999";
    EXPECT_EQ(FormatTimestamp(StampBytes(std::numeric_limits<double>::quiet_NaN())), mask);
    EXPECT_EQ(FormatTimestamp(StampBytes(std::numeric_limits<double>::infinity())), mask);
    EXPECT_EQ(FormatTimestamp(StampBytes(Stamp(2958463, 86399999))), "31-12-9999  23:59:59");
    EXPECT_EQ(FormatTimestamp(StampBytes(Stamp(2958464, 0))), mask);
}

}  // namespace
}  // namespace tessaro
