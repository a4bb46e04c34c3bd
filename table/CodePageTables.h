#pragma once

#include <cstdint>

// The bytes of the code pages a table may be written in, as Unicode: made at build time
// from Python's codecs (table/make-code-page-tables.py), the same for every system the
// program is built for.
namespace tessaro::codepages {

// An entry that is no character: a byte (or a sequence) that the code page does not use.
inline constexpr std::uint16_t kNoCharacter = 0xFFFF;
// An entry that begins a character of more bytes: the next byte is looked up in another row.
inline constexpr std::uint16_t kContinues = 0xFFFE;

// A code page as rows of 256 entries: row 0 holds what each first byte is; an entry
// kContinues names, in `next`, the row of the byte that follows it.
struct ByteTable {
    int number;                  // the Windows code page number
    int rowCount;                // 1 for a single-byte code page
    const std::uint16_t* codes;  // rowCount × 256 entries
    const std::int32_t* nextAt;  // per row: where its next rows begin in `next`, -1 for none
    const std::uint16_t* next;   // the row of the byte after an entry of kContinues
};

// The table of a code page by its Windows number; null for one that is not made here
// (Windows-1252 and UTF-8, which the program decodes by itself).
const ByteTable* FindByteTable(int number);

}  // namespace tessaro::codepages
