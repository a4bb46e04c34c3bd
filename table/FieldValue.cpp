#include "FieldValue.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <vector>

#include "table/DateText.h"
#include "table/DbfFormat.h"
#include "table/NumberText.h"
#include "table/TextConversion.h"

namespace tessaro {

namespace {

constexpr std::int64_t kIntegerBias = 2147483648LL;

// An empty view may have no data at all (a blank value trimmed, a field beyond the end of
// the file), and memcpy must not be given a null pointer even for no bytes.
char* Put(char* p, std::string_view text) {
    if (!text.empty()) {
        std::memcpy(p, text.data(), text.size());
    }
    return p + text.size();
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool AllZero(std::string_view bytes) {
    return bytes.find_first_not_of('\0') == std::string_view::npos;
}

// "YYYYMMDD" as "DD.MM.YYYY": the last two characters, characters 5 and 6, the first four.
// Nothing is validated, and a short value gives what is there.
char* PutDate(char* p, std::string_view raw) {
    p = Put(p, raw.substr(raw.size() - std::min<std::size_t>(raw.size(), 2)));
    *p++ = '.';
    p = Put(p, raw.size() > 4 ? raw.substr(4, 2) : std::string_view{});
    *p++ = '.';
    return Put(p, raw.substr(0, 4));
}

char* PutMemoReference(char* p, std::string_view raw) {
    const std::string_view block = TrimBlanks(raw);
    if (block.empty()) {
        return p;
    }
    return Put(Put(p, "Block: "), block);
}

// FoxPro keeps the block number of a 4-byte memo field as a little-endian number; 0 is no
// memo.
char* PutFoxProMemoReference(char* p, std::string_view raw) {
    const std::uint64_t block = dbf::ReadLittleEndian(raw);
    if (block == 0) {
        return p;
    }
    p = Put(p, "Block: ");
    return std::to_chars(p, p + 20, block).ptr;
}

// dBASE and most others take T, t, Y and y for true.
bool IsTrue(std::string_view raw) {
    return raw.size() == 1 && std::string_view("TtYy").find(raw[0]) != std::string_view::npos;
}

// Level 7 integers are stored big-endian with the sign bit flipped, so that the bytes sort
// like the numbers: 80 00 00 2A is 42, 7F FF FF FF is -1. All zero bytes mean no value.
char* PutInteger(char* p, std::string_view raw) {
    if (raw.size() < 4 || AllZero(raw)) {
        return p;
    }
    const auto value =
        static_cast<std::int64_t>(dbf::ReadBigEndian(raw.substr(raw.size() - 4))) - kIntegerBias;
    return p + FormatNumberTextInto(static_cast<double>(value), p);
}

// Doubles are stored so that the bytes sort like the numbers: a positive one with its sign
// bit flipped, a negative one with every bit inverted. All zero bytes mean no value.
// FoxPro integers are little-endian two's complement; four zero bytes are 0.
char* PutFoxProInteger(char* p, std::string_view raw) {
    if (raw.size() < 4) {
        return p;
    }
    const auto value = static_cast<std::int32_t>(dbf::ReadLittleEndian(raw.substr(0, 4)));
    return p + FormatNumberTextInto(static_cast<double>(value), p);
}

// Visual FoxPro money: a little-endian count of 1/10000, shown as its exact value.
char* PutCurrency(char* p, std::string_view raw) {
    if (raw.size() < 8) {
        return p;
    }
    const auto units = static_cast<std::int64_t>(dbf::ReadLittleEndian(raw.substr(0, 8)));
    return p + FormatScaledIntegerTextInto(units, 4, p);
}

// Visual FoxPro date-time: the Julian day and the milliseconds into it; all zero bytes or
// all blanks are no value.
char* PutJulianDateTime(char* p, std::string_view raw) {
    if (raw.size() < 8 || AllZero(raw.substr(0, 8)) ||
        raw.substr(0, 8).find_first_not_of(' ') == std::string_view::npos) {
        return p;
    }
    const auto day = static_cast<std::uint32_t>(dbf::ReadLittleEndian(raw.substr(0, 4)));
    const auto ms = static_cast<std::uint32_t>(dbf::ReadLittleEndian(raw.substr(4, 4)));
    return p + FormatJulianDateTimeInto(day, ms, p);
}

// Visual FoxPro double: little-endian IEEE, as stored; eight zero bytes are 0.
char* PutLittleEndianDouble(char* p, std::string_view raw) {
    if (raw.size() < 8) {
        return p;
    }
    return p +
           FormatNumberTextInto(std::bit_cast<double>(dbf::ReadLittleEndian(raw.substr(0, 8))), p);
}

char* PutDouble(char* p, std::string_view raw) {
    if (raw.size() < 8 || AllZero(raw)) {
        return p;
    }
    std::uint64_t bits = dbf::ReadBigEndian(raw.substr(raw.size() - 8));
    constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;
    bits = (bits & kTopBit) != 0 ? bits ^ kTopBit : ~bits;
    return p + FormatNumberTextInto(std::bit_cast<double>(bits), p);
}

char* PutTimestamp(char* p, std::string_view raw) {
    if (raw.size() < 8) {
        return p;
    }
    return p + FormatTimestampInto(raw, p);
}

// Room that FormatOtherValueInto needs beyond the stored bytes.
constexpr std::size_t kFieldTextSlack = 48;

// The end of the text of a Visual FoxPro value of a type that it stores its own way; null
// for the types it stores as dBASE does.
char* PutFoxProValue(char fieldType, std::string_view raw, char* p) {
    switch (fieldType) {
        case 'I': return PutFoxProInteger(p, raw);
        case 'Y': return PutCurrency(p, raw);
        case 'T': return PutJulianDateTime(p, raw);
        case 'B': return PutLittleEndianDouble(p, raw);
        case 'M': return raw.size() == 4 ? PutFoxProMemoReference(p, raw) : nullptr;
        default: return nullptr;
    }
}

// The text of a value of every type but C, in Windows-1252 (not yet cut to the length of a
// cell, not yet cut at a NUL). `out` must hold raw.size() + kFieldTextSlack bytes.
std::size_t FormatOtherValueInto(char fieldType, std::string_view raw, char* out,
                                 ValueDialect dialect) {
    char* p = out;
    if (dialect == ValueDialect::FoxPro) {
        if (char* end = PutFoxProValue(fieldType, raw, p)) {
            return static_cast<std::size_t>(end - out);
        }
    }
    switch (fieldType) {
        case 'N':
        case 'F': p = Put(p, TrimBlanks(raw)); break;
        case 'D': p = PutDate(p, raw); break;
        case 'L': p = Put(p, IsTrue(raw) ? "Ja" : "Nein"); break;
        case 'M': p = PutMemoReference(p, raw); break;
        case 'I':
        case '+': p = PutInteger(p, raw); break;
        case 'O': p = PutDouble(p, raw); break;
        case '@': p = PutTimestamp(p, raw); break;
        default: p = Put(p, "???"); break;  // B, G and every unknown type
    }
    return static_cast<std::size_t>(p - out);
}

// What a field other than a character field holds: at most 255 bytes.
constexpr std::size_t kLongestValue = 255;

}  // namespace

std::size_t FormatCellTextInto(char fieldType, std::string_view raw, char* out,
                               ValueDialect dialect, const CharacterDecoder& text) {
    // A Visual FoxPro varchar shows as a character value.
    if (fieldType == 'C' || (fieldType == 'V' && dialect == ValueDialect::FoxPro)) {
        // Character values, the bulk of most tables, in one pass over the stored bytes.
        return text.CellTextInto(raw, kCellTextMax, out);
    }
    char formatted[kLongestValue + kFieldTextSlack];
    std::vector<char> longer;
    char* room = formatted;
    if (raw.size() > kLongestValue) {
        longer.resize(raw.size() + kFieldTextSlack);
        room = longer.data();
    }
    const std::size_t length = FormatOtherValueInto(fieldType, raw, room, dialect);
    return CellTextToUtf8Into(std::string_view(room, length), kCellTextMax, out);
}

std::string FormatCellText(char fieldType, std::string_view raw, ValueDialect dialect,
                           const CharacterDecoder& text) {
    char cell[kCellTextRoom];
    return std::string(cell, FormatCellTextInto(fieldType, raw, cell, dialect, text));
}

namespace {

// The bytes of a column's value that are there.
std::string_view RawValue(const ShownColumn& column, std::string_view values) {
    if (column.offset >= values.size()) {
        return {};
    }
    return values.substr(column.offset, std::min(column.length, values.size() - column.offset));
}

bool NullFlag(const ColumnLayout& layout, std::string_view values, int bit) {
    if (bit < 0 || layout.nullFlagsLength == 0) {
        return false;
    }
    const std::size_t byte = layout.nullFlagsOffset + static_cast<std::size_t>(bit) / 8;
    if (byte >= layout.nullFlagsOffset + layout.nullFlagsLength || byte >= values.size()) {
        return false;
    }
    return (static_cast<unsigned char>(values[byte]) >> (bit % 8) & 1) != 0;
}

}  // namespace

std::size_t FormatNullableColumnTextInto(const ColumnLayout& layout, const ShownColumn& shown,
                                         std::string_view values, char* out) {
    std::string_view raw = RawValue(shown, values);
    if (NullFlag(layout, values, shown.nullBit)) {
        return 0;
    }
    // A variable value whose length is stored in its last byte; never more than the rest.
    if (NullFlag(layout, values, shown.varLengthBit) && raw.size() == shown.length &&
        !raw.empty()) {
        const auto stored = static_cast<unsigned char>(raw.back());
        raw = raw.substr(0, std::min<std::size_t>(stored, raw.size() - 1));
    }
    return FormatCellTextInto(shown.type, raw, out, layout.dialect, layout.text);
}

bool RecordHasMemo(const ColumnLayout& layout, std::string_view values) {
    char text[kCellTextRoom];
    for (const ShownColumn& column : layout.columns) {
        if (column.type == 'M' && FormatColumnTextInto(layout, column, values, text) > 0) {
            return true;
        }
    }
    return false;
}

}  // namespace tessaro
