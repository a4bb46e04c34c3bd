#include "ColumnWidths.h"

#include <algorithm>

namespace tessaro {

namespace {

constexpr int kMaxColumnWidth = 200;

}  // namespace

int ColumnWidth(const FieldDesc& field) {
    const auto nameLength = static_cast<int>(field.FieldName.size());
    const int width = nameLength < field.FieldLength ? 8 * field.FieldLength : 9 * nameLength;
    return std::min(width, kMaxColumnWidth);
}

}  // namespace tessaro
