#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// The same bytes in reverse order.
std::string ReverseBytes(std::string_view bytes);

// The big-endian values of level 7 fields. They are read as the original reads them: the
// bytes reversed and the first 4 or 8 of those taken, which are the last 4 or 8 stored.
// The caller makes sure that there are at least that many.
std::uint32_t BigEndianUInt32(std::string_view bytes);
std::uint64_t BigEndianUInt64(std::string_view bytes);
double BigEndianDouble(std::string_view bytes);

}  // namespace tessaro
