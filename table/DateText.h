#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// 1 for a leap year of the Gregorian calendar, else 0.
int IsLeapYear(std::int64_t year);

// 28 to 31.
int DaysInMonth(int month, std::int64_t year);

// "DD-MM-YYYY": day and month with two digits, the year with its last four.
std::string FormatDate(int month, int day, std::int64_t year);

// The date of a day number, 0 being 1900-01-01, as "DD-MM-YYYY".
std::string DayNumberToDate(std::int64_t dayNumber);

inline constexpr std::string_view kTimestampMask = "**-**-****  **:**:**";
inline constexpr std::size_t kTimestampTextLength = 20;

// The text of a timestamp: eight bytes holding a big-endian double of milliseconds
// (1900-01-01 00:00 being 59926694400000), as "DD-MM-YYYY  HH:MM:SS"; before 1900, or
// beyond what four year digits can show, the mask "**-**-****  **:**:**".
std::string FormatTimestamp(std::string_view eightBytes);

// The same into `out` (kTimestampTextLength bytes); returns the length written.
std::size_t FormatTimestampInto(std::string_view eightBytes, char* out);

}  // namespace tessaro
