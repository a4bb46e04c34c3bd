#include "DateText.h"

#include <cmath>
#include <cstring>

#include "table/ByteOrder.h"

namespace tessaro {

namespace {

constexpr std::int64_t kFirstYear = 1900;
constexpr std::int64_t kDaysIn400Years = 146097;  // any 400 years in a row
constexpr double kEpoch1900Ms = 59926694400000.0;
constexpr std::int64_t kMsPerDay = 86400000;
constexpr std::int64_t kMsPerHour = 3600000;
constexpr std::int64_t kMsPerMinute = 60000;
constexpr std::int64_t kMsPerSecond = 1000;
constexpr std::size_t kDateTextLength = 10;

constexpr std::int64_t DaysInYear(std::int64_t year) {
    return (year % 400 == 0 || (year % 100 != 0 && year % 4 == 0)) ? 366 : 365;
}

// The day number of 9999-12-31, the last date with four year digits.
constexpr std::int64_t LastDayNumber() {
    std::int64_t days = 0;
    for (std::int64_t year = kFirstYear; year < 10000; ++year) {
        days += DaysInYear(year);
    }
    return days - 1;
}

constexpr std::int64_t kLastDayNumber = LastDayNumber();

char* PutTwoDigits(char* p, std::int64_t value) {
    *p++ = static_cast<char>('0' + value / 10 % 10);
    *p++ = static_cast<char>('0' + value % 10);
    return p;
}

char* PutDate(char* p, int month, int day, std::int64_t year) {
    p = PutTwoDigits(p, day);
    *p++ = '-';
    p = PutTwoDigits(p, month);
    *p++ = '-';
    p = PutTwoDigits(p, year / 100 % 100);
    return PutTwoDigits(p, year % 100);
}

char* PutDayNumberAsDate(char* p, std::int64_t dayNumber) {
    std::int64_t year = kFirstYear;
    std::int64_t rest = dayNumber < 0 ? 0 : dayNumber;
    // Whole 400-year cycles first, so that a far date needs no long walk.
    year += 400 * (rest / kDaysIn400Years);
    rest %= kDaysIn400Years;
    while (rest >= DaysInYear(year)) {
        rest -= DaysInYear(year);
        ++year;
    }
    int month = 1;
    ++rest;  // the 1-based day of the year
    while (rest > DaysInMonth(month, year)) {
        rest -= DaysInMonth(month, year);
        ++month;
    }
    return PutDate(p, month, static_cast<int>(rest), year);
}

}  // namespace

int IsLeapYear(std::int64_t year) { return DaysInYear(year) == 366 ? 1 : 0; }

int DaysInMonth(int month, std::int64_t year) {
    switch (month) {
        case 2: return 28 + IsLeapYear(year);
        case 4: case 6: case 9: case 11: return 30;
        default: return 31;
    }
}

std::string FormatDate(int month, int day, std::int64_t year) {
    char text[kDateTextLength];
    return std::string(text, PutDate(text, month, day, year));
}

std::string DayNumberToDate(std::int64_t dayNumber) {
    char text[kDateTextLength];
    return std::string(text, PutDayNumberAsDate(text, dayNumber));
}

std::size_t FormatTimestampInto(std::string_view eightBytes, char* out) {
    const double sinceEpoch = BigEndianDouble(eightBytes) - kEpoch1900Ms;
    constexpr double kEnd = static_cast<double>((kLastDayNumber + 1) * kMsPerDay);
    if (!(sinceEpoch >= 0 && sinceEpoch < kEnd)) {
        std::memcpy(out, kTimestampMask.data(), kTimestampMask.size());
        return kTimestampMask.size();
    }
    // Whole milliseconds give the same day, hour, minute and second as the exact value.
    const auto ms = static_cast<std::int64_t>(std::floor(sinceEpoch));
    std::int64_t rest = ms % kMsPerDay;
    const std::int64_t hours = rest / kMsPerHour;
    rest %= kMsPerHour;
    const std::int64_t minutes = rest / kMsPerMinute;
    rest %= kMsPerMinute;
    const std::int64_t seconds = rest / kMsPerSecond;

    char* p = PutDayNumberAsDate(out, ms / kMsPerDay);
    *p++ = ' ';
    *p++ = ' ';
    p = PutTwoDigits(p, hours);
    *p++ = ':';
    p = PutTwoDigits(p, minutes);
    *p++ = ':';
    p = PutTwoDigits(p, seconds);
    return static_cast<std::size_t>(p - out);
}

std::string FormatTimestamp(std::string_view eightBytes) {
    char text[kTimestampTextLength];
    return std::string(text, FormatTimestampInto(eightBytes, text));
}

}  // namespace tessaro
