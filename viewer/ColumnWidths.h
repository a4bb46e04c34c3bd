#pragma once

#include <string>
#include <string_view>

#include "table/FieldValue.h"
#include "table/TableInfo.h"

namespace tessaro {

// Column widths in pixels of the small system font the list was first laid out in; the
// front ends scale them to the font they show.
inline constexpr int kRecordNumberColumnWidth = 45;

// A field's column: 8 pixels per byte of the value when the name is shorter than the
// value, else 9 per character of the name; at most 200.
int ColumnWidth(const FieldDesc& field);

// The letters whose width, measured together in a font, gives its average character: both
// front ends scale every column by them alike.
inline constexpr std::string_view kAverageLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The longest text of a field whose texts have a fixed form, which its column shows whole
// whatever its width by the rule above: "Nein", a date, a timestamp, a memo's block (the
// digits its field can hold), a binary number of Visual FoxPro. Empty for the other types.
// Measured in the font shown.
std::string FixedFormText(const FieldDesc& field, ValueDialect dialect);

// A width measured in the small system font (6 pixels a character on average), in a font
// whose `letters` characters are `lettersWidth` pixels wide together; rounded.
int ScaledColumnWidth(int width, int lettersWidth, int letters = 1);

}  // namespace tessaro
