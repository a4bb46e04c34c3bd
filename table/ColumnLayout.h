#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "table/CharacterDecoder.h"
#include "table/TableInfo.h"

namespace tessaro {

inline constexpr const char* kRecordNumberHeading = "Satznr.";

// The heading of a field's column: its name in the table's code page, in UTF-8, at most
// 254 characters.
std::string ColumnHeading(const FieldDesc& field, const CharacterDecoder& text = {});

// How the programs that write tables store some types differently: Visual FoxPro keeps its
// integers, memo references, money, date-times and doubles as binary numbers, may mark a
// value NULL and hides system fields.
enum class ValueDialect { DBase, FoxPro };
ValueDialect DialectOf(std::uint8_t versionByte);

// A field shown as a column of the record list.
struct ShownColumn {
    int field = 0;           // its number in the FieldTable
    char type = '\0';        // the type letter as stored
    std::size_t offset = 0;  // of its value, from the record's first value byte
    std::size_t length = 0;  // of its value
    int nullBit = -1;        // its bit in the NULL flags, -1 when it cannot be NULL
    int varLengthBit = -1;   // the bit that says its length is stored, -1 when none
};

// The columns of the record list and where their values lie in a record: the fields shown
// (the first 128, without the system fields of Visual FoxPro) and the NULL flags.
struct ColumnLayout {
    std::vector<ShownColumn> columns;
    ValueDialect dialect = ValueDialect::DBase;
    // The code page of the names and of the values of C and V fields.
    CharacterDecoder text;
    std::size_t nullFlagsOffset = 0;
    std::size_t nullFlagsLength = 0;  // 0: the table keeps no NULL flags
    // The bytes of each record's values that hold anything a column shows.
    std::size_t neededBytes = 0;

    int ColumnCount() const { return static_cast<int>(columns.size()); }
};

// The layout of the table whose header has been read.
ColumnLayout LayoutOf(const TableInfo& info, const FieldTable& fields);

}  // namespace tessaro
