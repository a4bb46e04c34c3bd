#include "ColumnWidths.h"

#include <algorithm>

namespace tessaro {

namespace {

constexpr int kMaxColumnWidth = 200;
constexpr int kSystemFontCharWidth = 6;

}  // namespace

int ColumnWidth(const FieldDesc& field) {
    const auto nameLength = static_cast<int>(field.FieldName.size());
    const int width = nameLength < field.FieldLength ? 8 * field.FieldLength : 9 * nameLength;
    return std::min(width, kMaxColumnWidth);
}

std::string FixedFormText(const FieldDesc& field, ValueDialect dialect) {
    if (dialect == ValueDialect::FoxPro) {
        // The binary numbers of Visual FoxPro take a few bytes for many digits.
        switch (field.FieldType) {
            case 'I': return "-2147483648";
            case 'Y': return "-922337203685477.5808";
            case 'B': return "-0.00000000000000E-000";  // 15 digits, sign, point, exponent
            default: break;
        }
    }
    switch (field.FieldType) {
        case 'L': return "Nein";
        case 'D': return "00.00.0000";
        case '@':
        case 'T': return "00-00-0000  00:00:00";
        case 'M': {
            // FoxPro keeps the block of a 4-byte field as a number up to 4294967295.
            const bool binary = dialect == ValueDialect::FoxPro && field.FieldLength == 4;
            const int digits = binary ? 10 : std::max<int>(field.FieldLength, 0);
            return "Block: " +
                   std::string(static_cast<std::size_t>(std::min<int>(digits, kCellTextMax)), '0');
        }
        default: return {};
    }
}

int ScaledColumnWidth(int width, int lettersWidth, int letters) {
    const long long measured = static_cast<long long>(kSystemFontCharWidth) * letters;
    if (measured <= 0) {
        return width;
    }
    return static_cast<int>((static_cast<long long>(width) * lettersWidth + measured / 2) /
                            measured);
}

}  // namespace tessaro
