#include "DateText.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "table/DbfFormat.h"

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

// The day number of 0001-01-01, the first date of the calendar, and the Julian day number of
// 1900-01-01 (day number 0).
constexpr std::int64_t kFirstDayNumber = -693595;
constexpr std::int64_t kJulianDayOf1900 = 2415021;

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

// The calendar date of a day number, computed in closed form (days are counted in 400-year
// eras from 0000-03-01, so that the leap day comes last in each counted year). It gives the
// date that walking the years and months from 1900 gives, without the walk.
char* PutDayNumberAsDate(char* p, std::int64_t dayNumber) {
    constexpr std::int64_t kDaysFrom0000_03_01To1900_01_01 = 693901;
    // Day numbers before 0001-01-01 are never given.
    const std::int64_t days = dayNumber + kDaysFrom0000_03_01To1900_01_01;
    const std::int64_t era = days / kDaysIn400Years;
    const std::int64_t dayOfEra = days - era * kDaysIn400Years;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const auto day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const auto month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return PutDate(p, month, day, year);
}

// "DD-MM-YYYY  HH:MM:SS" of a day number and the milliseconds into that day (seconds cut).
std::size_t PutDayAndTime(char* out, std::int64_t dayNumber, std::int64_t msIntoDay) {
    std::int64_t rest = msIntoDay;
    const std::int64_t hours = rest / kMsPerHour;
    rest %= kMsPerHour;
    const std::int64_t minutes = rest / kMsPerMinute;
    rest %= kMsPerMinute;
    const std::int64_t seconds = rest / kMsPerSecond;

    char* p = PutDayNumberAsDate(out, dayNumber);
    *p++ = ' ';
    *p++ = ' ';
    p = PutTwoDigits(p, hours);
    *p++ = ':';
    p = PutTwoDigits(p, minutes);
    *p++ = ':';
    p = PutTwoDigits(p, seconds);
    return static_cast<std::size_t>(p - out);
}

}  // namespace

std::string DayNumberToDate(std::int64_t dayNumber) {
    char text[kDateTextLength];
    return std::string(text, PutDayNumberAsDate(text, std::max(dayNumber, kFirstDayNumber)));
}

std::size_t FormatTimestampInto(std::string_view eightBytes, char* out) {
    const double sinceEpoch =
        std::bit_cast<double>(dbf::ReadBigEndian(eightBytes.substr(eightBytes.size() - 8))) -
        kEpoch1900Ms;
    constexpr double kEnd = static_cast<double>((kLastDayNumber + 1) * kMsPerDay);
    if (!(sinceEpoch >= 0 && sinceEpoch < kEnd)) {
        std::memcpy(out, kTimestampMask.data(), kTimestampMask.size());
        return kTimestampMask.size();
    }
    // Whole milliseconds give the same day, hour, minute and second as the exact value.
    const auto ms = static_cast<std::int64_t>(std::floor(sinceEpoch));
    return PutDayAndTime(out, ms / kMsPerDay, ms % kMsPerDay);
}

std::size_t FormatJulianDateTimeInto(std::uint32_t julianDay, std::uint32_t msIntoDay, char* out) {
    const std::int64_t dayNumber = std::int64_t{julianDay} - kJulianDayOf1900;
    if (dayNumber < kFirstDayNumber || dayNumber > kLastDayNumber || msIntoDay >= kMsPerDay) {
        std::memcpy(out, kTimestampMask.data(), kTimestampMask.size());
        return kTimestampMask.size();
    }
    return PutDayAndTime(out, dayNumber, msIntoDay);
}

std::string FormatTimestamp(std::string_view eightBytes) {
    char text[kTimestampTextLength];
    return std::string(text, FormatTimestampInto(eightBytes, text));
}

}  // namespace tessaro
