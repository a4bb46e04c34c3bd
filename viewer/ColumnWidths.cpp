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

int ScaledColumnWidth(int width, int lettersWidth, int letters) {
    const long long measured = static_cast<long long>(kSystemFontCharWidth) * letters;
    if (measured <= 0) {
        return width;
    }
    return static_cast<int>((static_cast<long long>(width) * lettersWidth + measured / 2) /
                            measured);
}

}  // namespace tessaro
