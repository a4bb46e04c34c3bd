#pragma once

#include <cstdint>
#include <string_view>

namespace tessaro {

// The first row, from the top, of a record list with `rowCount` rows whose record number
// (row + 1, in decimal digits) begins with `text`, letters compared without regard to
// case; -1 when there is none. Because the rows hold the numbers in ascending order, a
// record number finds its own row: "12" finds record 12, not 120.
std::int32_t FindRowByNumberPrefix(std::int32_t rowCount, std::string_view text);

// The same from row `start` on, as a list searches while the user types: the first such
// row at `start` or below it, and with `wrap` then the first from the top; -1 when there
// is none.
std::int32_t FindRowByNumberPrefixFrom(std::int32_t rowCount, std::string_view text,
                                       std::int32_t start, bool wrap);

}  // namespace tessaro
