#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaro {

// Room that FormatFieldValueInto needs beyond the stored bytes.
inline constexpr std::size_t kFieldTextSlack = 48;

// The cell text of one stored value by its field type, in Windows-1252 (not yet cut to the
// length of a cell, not yet cut at a NUL). `out` must hold raw.size() + kFieldTextSlack
// bytes; returns the length written.
std::size_t FormatFieldValueInto(char fieldType, std::string_view raw, char* out);
std::string FormatFieldValue(char fieldType, std::string_view raw);

}  // namespace tessaro
