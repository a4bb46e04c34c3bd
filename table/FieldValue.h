#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// A cell shows at most this many characters of its value.
inline constexpr std::size_t kCellTextMax = 127;
// The bytes a cell text may take in UTF-8, and one more.
inline constexpr std::size_t kCellTextRoom = 3 * kCellTextMax + 2;

// How the programs that write tables store some types differently: FoxPro tables keep their
// integers and memo references as little-endian binary numbers.
enum class ValueDialect { DBase, FoxPro };
ValueDialect DialectOf(std::uint8_t versionByte);

// The text of a cell: one stored value turned into text by its field type, as a C string
// shows it (up to its first NUL), cut after 127 characters, in UTF-8. `out` must hold
// kCellTextRoom bytes; returns the length written.
std::size_t FormatCellTextInto(char fieldType, std::string_view raw, char* out,
                               ValueDialect dialect = ValueDialect::DBase);
std::string FormatCellText(char fieldType, std::string_view raw,
                           ValueDialect dialect = ValueDialect::DBase);

}  // namespace tessaro
