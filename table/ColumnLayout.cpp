#include "ColumnLayout.h"

#include "table/TextConversion.h"

namespace tessaro {

namespace {

constexpr std::size_t kHeadingMax = 254;

}  // namespace

std::string ColumnHeading(const FieldDesc& field) {
    // A name is converted as a character value is.
    char heading[3 * kHeadingMax + 2];
    return std::string(heading, CharacterValueToUtf8Into(field.FieldName, kHeadingMax, heading));
}

}  // namespace tessaro
