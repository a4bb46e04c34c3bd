#include "ColumnLayout.h"

#include "table/TextConversion.h"

namespace tessaro {

namespace {

constexpr std::size_t kHeadingMax = 254;

}  // namespace

std::string ColumnHeading(const FieldDesc& field) {
    const std::string heading = Windows1252ToUtf8(ConvertUmlauts(field.FieldName));
    return std::string(CutToCharacters(heading, kHeadingMax));
}

}  // namespace tessaro
