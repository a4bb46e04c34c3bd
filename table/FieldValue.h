#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "table/ColumnLayout.h"

namespace tessaro {

// A cell shows at most this many characters of its value.
inline constexpr std::size_t kCellTextMax = 127;
// The bytes a cell text may take in UTF-8, and one more.
inline constexpr std::size_t kCellTextRoom = 4 * kCellTextMax + 2;

// The text of a cell: one stored value turned into text by its field type, as a C string
// shows it (up to its first NUL), cut after 127 characters, in UTF-8; the characters of C
// and V fields in the code page of `text`. `out` must hold kCellTextRoom bytes; returns the
// length written.
std::size_t FormatCellTextInto(char fieldType, std::string_view raw, char* out,
                               ValueDialect dialect = ValueDialect::DBase,
                               const CharacterDecoder& text = {});
std::string FormatCellText(char fieldType, std::string_view raw,
                           ValueDialect dialect = ValueDialect::DBase,
                           const CharacterDecoder& text = {});

// The one rule for a cell's text: the value of column `column` (0-based) of a record whose
// value bytes are `values` (fewer, or none, where the file ended), a NULL value empty.
// Both the record list and tessaro-dump go through it. `out` must hold kCellTextRoom bytes.
std::size_t FormatNullableColumnTextInto(const ColumnLayout& layout, const ShownColumn& column,
                                         std::string_view values, char* out);
inline std::size_t FormatColumnTextInto(const ColumnLayout& layout, const ShownColumn& column,
                                        std::string_view values, char* out) {
    if (layout.nullFlagsLength == 0) {  // every dBASE table: the value is what is stored
        const std::string_view raw =
            column.offset < values.size()
                ? values.substr(column.offset,
                                std::min(column.length, values.size() - column.offset))
                : std::string_view{};
        return FormatCellTextInto(column.type, raw, out, layout.dialect, layout.text);
    }
    return FormatNullableColumnTextInto(layout, column, values, out);
}
inline std::size_t FormatColumnTextInto(const ColumnLayout& layout, std::size_t column,
                                        std::string_view values, char* out) {
    return FormatColumnTextInto(layout, layout.columns[column], values, out);
}

// Whether the record refers to a memo: one of its memo columns shows a text.
bool RecordHasMemo(const ColumnLayout& layout, std::string_view values);

}  // namespace tessaro
