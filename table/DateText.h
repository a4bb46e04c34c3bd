#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// The date of a day number, 0 being 1900-01-01, as "DD-MM-YYYY"; from 0001-01-01 on.
std::string DayNumberToDate(std::int64_t dayNumber);

inline constexpr std::string_view kTimestampMask = "**-**-****  **:**:**";
inline constexpr std::size_t kTimestampTextLength = 20;

// The text of a timestamp: eight bytes holding a big-endian double of milliseconds
// (1900-01-01 00:00 being 59926694400000), as "DD-MM-YYYY  HH:MM:SS"; before 1900, or
// beyond what four year digits can show, the mask "**-**-****  **:**:**".
std::string FormatTimestamp(std::string_view eightBytes);

// The same into `out` (kTimestampTextLength bytes); returns the length written.
std::size_t FormatTimestampInto(std::string_view eightBytes, char* out);

// The same text of a Julian day number and the milliseconds into that day, as Visual FoxPro
// keeps a date-time; the mask for a day before 0001-01-01 or after 9999-12-31, or
// milliseconds beyond one day.
std::size_t FormatJulianDateTimeInto(std::uint32_t julianDay, std::uint32_t msIntoDay, char* out);

}  // namespace tessaro
