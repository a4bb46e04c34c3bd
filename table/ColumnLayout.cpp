#include "ColumnLayout.h"

#include <algorithm>

#include "table/TextConversion.h"

namespace tessaro {

namespace {

constexpr std::size_t kHeadingMax = 254;
constexpr int kMaxColumnWidth = 200;

}  // namespace

std::string ColumnHeading(const FieldDesc& field) {
    const std::string heading = Windows1252ToUtf8(ConvertUmlauts(field.FieldName));
    return std::string(CutToCharacters(heading, kHeadingMax));
}

int ColumnWidth(const FieldDesc& field) {
    const auto nameLength = static_cast<int>(field.FieldName.size());
    const int width = nameLength < field.FieldLength ? 8 * field.FieldLength : 9 * nameLength;
    return std::min(width, kMaxColumnWidth);
}

}  // namespace tessaro
