#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

inline constexpr int kMaxFields = 128;
inline constexpr std::int32_t kMaxRecords = 65536;

// The table currently loaded. FileName is set by whoever chooses the table; the header
// reader fills the rest.
struct TableInfo {
    std::int32_t RecordCount = 0;
    std::int16_t HeaderLength = 0;
    std::int16_t FieldCount = 0;
    std::int16_t RecordLength = 0;
    std::int16_t IsLevel5 = 0;
    std::int16_t MemoFieldCount = 0;
    std::string FileName;  // the whole path, never cut

    // The version byte: which program wrote the table, where their encodings differ.
    std::uint8_t Version = 0;
    // The language driver byte: the code page the table says it is written in, if any.
    std::uint8_t LanguageDriver = 0;

    // Every descriptor of the header counts here, also those beyond the 128 that are
    // shown: a record is 1 + the sum of all field lengths wide, whatever is shown of it.
    std::int32_t DescriptorCount = 0;
    std::int64_t FieldLengthSum = 0;

    // The header length as stored: an unsigned 16-bit value kept in a signed member.
    std::uint16_t HeaderBytes() const { return static_cast<std::uint16_t>(HeaderLength); }
    std::int64_t RecordStride() const { return 1 + FieldLengthSum; }
};

// What wrote the table, as the status line and tessaro-dump name it: "DBase 5" (every
// table of the level 5 layout that no FoxPro wrote), "DBase 7", "FoxPro" (FoxPro 2.x and
// FoxBASE) or "Visual FoxPro".
std::string_view TableFormatName(const TableInfo& info);

struct FieldDesc {
    char FieldType = '\0';
    std::string FieldName;  // the stored name bytes up to the first NUL, at most 32
    // Bytes of the value: 0..255, and up to 65535 for a character field whose decimal
    // count holds the high byte of its length (as Clipper and FoxPro write fields beyond
    // 255 bytes; such a field has no decimals).
    std::int32_t FieldLength = 0;
    std::int16_t FieldDecimals = 0;
    // The descriptor's flags byte (Visual FoxPro: system field, may be NULL); 0 where the
    // layout has none.
    std::uint8_t Flags = 0;
};

// The descriptions of the fields shown, numbered from 1 to 128. Entries beyond FieldCount
// keep whatever an earlier table left in them.
class FieldTable {
public:
    FieldDesc& operator[](int number) { return entries_.at(static_cast<std::size_t>(number - 1)); }
    const FieldDesc& operator[](int number) const {
        return entries_.at(static_cast<std::size_t>(number - 1));
    }

private:
    std::array<FieldDesc, kMaxFields> entries_{};
};

}  // namespace tessaro
