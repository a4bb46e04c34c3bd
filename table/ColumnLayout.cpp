#include "ColumnLayout.h"

#include <algorithm>

#include "table/DbfFormat.h"

namespace tessaro {

namespace {

constexpr std::size_t kHeadingMax = 254;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&lower](char x, char y) { return lower(x) == lower(y); });
}

bool IsSystemField(const FieldDesc& field) { return (field.Flags & dbf::kFieldFlagSystem) != 0; }

// Visual FoxPro keeps the NULL flags in a hidden field of its own: the bits of the NULL
// values and of the lengths of variable values, one after another.
bool IsNullFlagsField(const FieldDesc& field) {
    return IsSystemField(field) && (field.FieldType == dbf::kNullFlagsType ||
                                    EqualIgnoringCase(field.FieldName, dbf::kNullFlagsName));
}

}  // namespace

std::string ColumnHeading(const FieldDesc& field, const CharacterDecoder& text) {
    // A name is read as a character value is.
    return text.CellText(field.FieldName, kHeadingMax);
}

ValueDialect DialectOf(std::uint8_t versionByte) {
    return dbf::IsVisualFoxProVersion(versionByte) ? ValueDialect::FoxPro : ValueDialect::DBase;
}

ColumnLayout LayoutOf(const TableInfo& info, const FieldTable& fields) {
    ColumnLayout layout;
    layout.dialect = DialectOf(info.Version);
    const bool foxPro = layout.dialect == ValueDialect::FoxPro;
    std::size_t offset = 0;
    int nextBit = 0;
    for (int f = 1; f <= info.FieldCount; ++f) {
        const FieldDesc& field = fields[f];
        const auto length = static_cast<std::size_t>(field.FieldLength);
        const std::size_t at = offset;
        offset += length;
        if (foxPro && IsSystemField(field)) {
            if (IsNullFlagsField(field) && layout.nullFlagsLength == 0) {
                layout.nullFlagsOffset = at;
                layout.nullFlagsLength = length;
                layout.neededBytes = std::max(layout.neededBytes, at + length);
            }
            continue;
        }
        ShownColumn column{f, field.FieldType, at, length};
        if (foxPro) {
            // In field order: a variable field's length bit, then a nullable field's NULL bit.
            if (field.FieldType == 'V' || field.FieldType == 'Q') {
                column.varLengthBit = nextBit++;
            }
            if ((field.Flags & dbf::kFieldFlagNullable) != 0) {
                column.nullBit = nextBit++;
            }
        }
        layout.columns.push_back(column);
        layout.neededBytes = std::max(layout.neededBytes, at + length);
    }
    return layout;
}

}  // namespace tessaro
