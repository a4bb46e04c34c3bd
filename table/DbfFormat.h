#pragma once

// The dBASE files as Tessaro reads them, in one place. Offsets count from 0; numbers are
// little-endian two's-complement integers unless said otherwise.
//
// Table file (.dbf): the fixed header
//
//   OFFSET  SIZE  CONTENT
//   ------  ----  -------------------------------------------------------------------
//        0     1  version byte: 0x04 and 0x8C have the level 7 layout, every other
//                 value the level 5 layout (dBASE III, IV, 5, FoxPro, Clipper, ...)
//        1     3  date of the last update, YY MM DD (not read)
//        4     4  number of records, signed
//        8     2  header length in bytes: where record 1 begins (read unsigned)
//       10     2  record length in bytes (only tested for 0: the stride is computed)
//       12    17  not read
//       29     1  language driver: the code page of the texts (0: none named)
//       30     2  not read
//       32    36  level 7 only: the language driver's name and more (not read)
//
// Field descriptors, one after another from offset 32 (level 5) or 68 (level 7); they end
// at the first descriptor position whose first byte is 0x0D.
//
//   level 5 (32 bytes)                         level 7 (48 bytes)
//   OFFSET  SIZE  CONTENT                      OFFSET  SIZE  CONTENT
//        0    11  name, padded with NUL             0    32  name, padded with NUL
//       11     1  type letter                      32     1  type letter
//       12     4  not read                         33     1  length in bytes (0..255)
//       16     1  length in bytes (0..255)         34     1  decimal count (0..255)
//       17     1  decimal count (0..255)           35    13  not read
//       18     1  flags (Visual FoxPro only: 0x01 a hidden system field such as
//                 _NullFlags, 0x02 the value may be NULL)
//       19    13  not read
//
// Record: from the header length on, one after another, each a deletion flag (" ", or "*"
// for a deleted record) and then the values in descriptor order, each as long as its
// field, with nothing between them.
//
// Value encodings of the binary types
//
//   TYPE  SIZE  CONTENT
//   I        4  level 7: big-endian, sign bit flipped (80 00 00 2A is 42, 7F FF FF FF
//               is -1); all zero bytes: no value. FoxPro (version bytes 0x30, 0x31,
//               0x32): little-endian two's complement (01 00 00 00 is 1)
//   +        4  autoincrement: as I at level 7; all zero bytes: no value
//   O        8  IEEE double, big-endian; a positive one with its sign bit flipped, a
//               negative one with every bit inverted, so that the bytes sort like the
//               numbers (C0 24 00.. is 10, 3F DB FF.. is -10)
//   @        8  timestamp: IEEE double, big-endian, as stored; milliseconds on a scale
//               where 1900-01-01 00:00:00 is 59926694400000
//   M       10  memo reference: the block number in digits, padded with blanks. Visual
//               FoxPro tables with a 4-byte M field: the block number, little-endian
//
// Visual FoxPro values (version bytes 0x30, 0x31, 0x32), all little-endian
//
//   TYPE  SIZE  CONTENT
//   Y        8  currency: signed integer in units of 1/10000
//   T        8  date-time: Julian day number (4 bytes), then milliseconds since midnight
//               (4 bytes); all zero bytes or all blanks: no value
//   B        8  IEEE double
//   V        n  varchar: as C; when its length bit in _NullFlags is set, the last byte
//               holds the length of the value
//   0        n  _NullFlags, a system field: from bit 0 of its first byte on, in field
//               order, a V or Q field takes a length bit, then a nullable field a NULL bit
//
// Memo file (.dbt)
//
//   OFFSET  SIZE  CONTENT
//        0     4  next free block (not read)
//       20     2  block length in bytes, signed (dBASE III: unused, blocks are 512 bytes)
//       32        end of the header; block n begins at n × block length
//
// Memo block (dBASE IV and later)
//
//   OFFSET  SIZE  CONTENT
//        0     4  signature FF FF 08 00
//        4     4  length, signed, counting these 8 header bytes
//        8        the text, bytes as stored
//
// Memo block (dBASE III, version byte 0x83): no header; the text runs from the block's
// start to the first 0x1A.
//
// FoxPro memo file (.fpt), numbers big-endian
//
//   OFFSET  SIZE  CONTENT
//        0     4  next free block (not read)
//        6     2  block size in bytes, unsigned
//      512        end of the header; block n begins at n × block size
//
// FoxPro memo block
//
//   OFFSET  SIZE  CONTENT
//        0     4  type: 1 text, 0 picture, 2 object (not looked at)
//        4     4  length of the memo, unsigned, not counting these 8 bytes
//        8        the memo, bytes as stored

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessaro::dbf {

// The fixed header.
inline constexpr std::size_t kVersionAt = 0;
inline constexpr std::size_t kRecordCountAt = 4;
inline constexpr std::size_t kHeaderLengthAt = 8;
inline constexpr std::size_t kRecordLengthAt = 10;
inline constexpr std::size_t kFixedHeaderSize = 12;  // what the reader needs of it
inline constexpr std::size_t kLanguageDriverAt = 29;

inline constexpr bool IsLevel7Version(unsigned char version) {
    return version == 0x04 || version == 0x8C;
}
inline constexpr bool IsVisualFoxProVersion(unsigned char version) {
    return version == 0x30 || version == 0x31 || version == 0x32;
}
// The tables whose memos are in a FoxPro memo file.
inline constexpr bool IsFoxProMemoVersion(unsigned char version) {
    return IsVisualFoxProVersion(version) || version == 0xF5 || version == 0xFB;
}
inline constexpr bool IsDbase3MemoVersion(unsigned char version) { return version == 0x83; }

// The field descriptors.
inline constexpr unsigned char kDescriptorTerminator = 0x0D;

struct DescriptorLayout {
    std::size_t first;       // offset of the first descriptor in the file
    std::size_t size;        // bytes per descriptor
    std::size_t nameWidth;   // the type letter follows the name
    std::size_t lengthAt;    // offset of the length byte in a descriptor
    std::size_t decimalsAt;  // offset of the decimal count
};

inline constexpr DescriptorLayout kLevel5Descriptor{32, 32, 11, 16, 17};
inline constexpr DescriptorLayout kLevel7Descriptor{68, 48, 32, 33, 34};
inline constexpr std::size_t kLevel5FlagsAt = 18;

// The flags of a Visual FoxPro descriptor, and its hidden field of NULL flags.
inline constexpr std::uint8_t kFieldFlagSystem = 0x01;
inline constexpr std::uint8_t kFieldFlagNullable = 0x02;
inline constexpr char kNullFlagsType = '0';
inline constexpr std::string_view kNullFlagsName = "_NullFlags";

// The memo file.
inline constexpr std::size_t kMemoHeaderSize = 32;
inline constexpr std::size_t kBlockLengthAt = 20;
inline constexpr std::size_t kBlockHeaderSize = 8;
inline constexpr std::string_view kBlockSignature("\xFF\xFF\x08\x00", 4);
inline constexpr std::size_t kMemoLengthAt = 4;
inline constexpr std::int64_t kDbase3BlockLength = 512;
inline constexpr char kDbase3MemoEnd = 0x1A;

// The FoxPro memo file.
inline constexpr std::size_t kFoxProMemoHeaderSize = 512;
inline constexpr std::size_t kFoxProBlockSizeAt = 6;
inline constexpr std::size_t kFoxProBlockHeaderSize = 8;
inline constexpr std::size_t kFoxProMemoLengthAt = 4;
inline constexpr std::uint64_t kFoxProTextBlock = 1;

// The unsigned number in `bytes` (at most 8 of them), least significant byte first.
constexpr std::uint64_t ReadLittleEndian(std::string_view bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

// The unsigned number in `bytes` (at most 8 of them), most significant byte first.
constexpr std::uint64_t ReadBigEndian(std::string_view bytes) {
    std::uint64_t value = 0;
    for (const char byte : bytes) {
        value = value << 8 | static_cast<unsigned char>(byte);
    }
    return value;
}

}  // namespace tessaro::dbf
