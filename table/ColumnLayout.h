#pragma once

#include <string>

#include "table/TableInfo.h"

namespace tessaro {

inline constexpr const char* kRecordNumberHeading = "Satznr.";
inline constexpr int kRecordNumberColumnWidth = 45;

// The heading of a field's column: its name with the DOS umlauts converted, in UTF-8.
std::string ColumnHeading(const FieldDesc& field);

// The width of a field's column in pixels: 8 per byte of the value when the name is
// shorter than the value, else 9 per character of the name; at most 200.
int ColumnWidth(const FieldDesc& field);

}  // namespace tessaro
