#pragma once

#include <string>
#include <string_view>

#include "table/CellStore.h"
#include "table/TableInfo.h"

namespace tessaro {

// A text as one tab-separated item: backslash, tab, CR and LF written as \\, \t, \r, \n.
void AppendEscaped(std::string& out, std::string_view text);

// A text as one RFC 4180 field: quoted when it holds a comma, quote, CR or LF.
void AppendCsvField(std::string& out, std::string_view text);

// The lines of `tessaro-dump --info`.
std::string InfoText(const TableInfo& info, const FieldTable& fields);

enum class ListingStyle { Tabs, Csv };

// The heading line: "Satznr." and the field headings.
void AppendHeadingLine(std::string& out, const TableInfo& info, const FieldTable& fields,
                       ListingStyle style);

// The line of one row: its record number and every cell text.
void AppendRowLine(std::string& out, const CellStore& cells, std::int32_t row, ListingStyle style);

}  // namespace tessaro
