#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// Writes the UTF-8 of a code point (at most U+10FFFF) at p, which has room for 4 bytes;
// returns the end of what it wrote.
constexpr char* PutUtf8Code(char* p, char32_t code) {
    if (code < 0x80) {
        *p++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *p++ = static_cast<char>(0xC0 | (code >> 6));
        *p++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *p++ = static_cast<char>(0xE0 | (code >> 12));
        *p++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *p++ = static_cast<char>(0xF0 | (code >> 18));
        *p++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *p++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return p;
}

// The UTF-8 of one character of the Basic Multilingual Plane.
struct Utf8Form {
    unsigned char length;
    char bytes[3];
};
Utf8Form Utf8FormOf(std::uint16_t code);

// What each byte of a single-byte code page is in UTF-8.
using Utf8Table = std::array<Utf8Form, 256>;
// The bytes of a table as they have always been read: the seven German letters of the DOS
// code page converted, then Windows-1252.
const Utf8Table& GermanDosUtf8Table();
const Utf8Table& Windows1252Utf8Table();

// Up to the first NUL and at most `maxCharacters` bytes of `stored`, each turned into UTF-8
// by `table`; `asciiAsIs` when the table keeps every byte below 0x80 as it is, which lets
// runs of them be copied eight at a time. `out` must hold 3 bytes per byte; returns the
// bytes written.
std::size_t SingleByteTextToUtf8Into(std::string_view stored, std::size_t maxCharacters,
                                     const Utf8Table& table, bool asciiAsIs, char* out);

// The Windows code of a byte after the seven German letters of the DOS code page have been
// replaced (Ä Ö Ü ä ö ü ß); every other byte is returned unchanged.
char ConvertUmlaut(char dosByte);

// Table bytes are Windows-1252 text; inside the program text is UTF-8. This is the one
// place where the one becomes the other.
std::string Windows1252ToUtf8(std::string_view windows1252);

// The cell text of a stored character value in one pass: up to its first NUL and at most
// `maxCharacters` characters, DOS umlauts converted, in UTF-8. `out` must hold 3 bytes per
// character and 2 more; returns the bytes written.
std::size_t CharacterValueToUtf8Into(std::string_view stored, std::size_t maxCharacters, char* out);

// The same for a formatted Windows-1252 text: up to its first NUL, at most `maxCharacters`
// characters, in UTF-8.
std::size_t CellTextToUtf8Into(std::string_view windows1252, std::size_t maxCharacters, char* out);

// The UTF-8 sequence at the start of `bytes` (not empty), in its shortest form, no
// surrogate, at most U+10FFFF: a whole character (ASCII included), or the longest start of
// one there is (at least one byte), which is `cut` when the bytes end before it does.
struct Utf8Sequence {
    std::size_t length;
    bool whole;
    bool cut;
};

// Inline: the loops over every byte of a table call it for each character beyond ASCII.
inline Utf8Sequence Utf8SequenceAt(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) {
        return {1, true, false};
    }
    // The length of the sequence and the range of its second byte, which rules out
    // overlong forms, surrogates and code points beyond U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {1, false, false};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i == bytes.size()) {
            return {i, false, true};
        }
        const auto next = static_cast<unsigned char>(bytes[i]);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
            return {i, false, false};
        }
    }
    return {length, true, false};
}

// Whether the bytes are valid UTF-8: whole sequences only.
bool IsValidUtf8(std::string_view bytes);

// A file name as a text shown to the user: its bytes when they are UTF-8, else each byte as
// Windows-1252 ("K\xe4se.dbf", named on an older system, reads "Käse.dbf"). The file is
// still opened by its bytes.
std::string ShownFileName(std::string_view name);

// The first `maxCharacters` characters of a UTF-8 text; a character is never split.
std::string_view CutToCharacters(std::string_view utf8, std::size_t maxCharacters);

// The text up to its first NUL: how a C string sees it.
std::string_view UpToFirstNul(std::string_view text);

}  // namespace tessaro
