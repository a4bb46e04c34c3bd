#pragma once

#include <string>

#include "table/TableInfo.h"

namespace tessaro {

inline constexpr const char* kRecordNumberHeading = "Satznr.";

// The heading of a field's column: its name with the DOS umlauts converted, in UTF-8.
std::string ColumnHeading(const FieldDesc& field);

}  // namespace tessaro
