#include "TextConversion.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "table/ByteScan.h"

namespace tessaro {

namespace {

// Unicode of 0x80..0x9F in Windows-1252; the five unassigned codes map to the C1 control
// of the same number, as Windows itself decodes them.
constexpr std::array<std::uint16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr Utf8Form EncodeUtf8(std::uint16_t code) {
    char bytes[4] = {};
    const auto length = static_cast<unsigned char>(PutUtf8Code(bytes, code) - bytes);
    return {length, {bytes[0], bytes[1], bytes[2]}};
}

constexpr Utf8Table MakeWindows1252Table() {
    Utf8Table table{};
    for (int b = 0; b < 256; ++b) {
        const auto code = b >= 0x80 && b < 0xA0 ? kHighControls[static_cast<std::size_t>(b - 0x80)]
                                                : static_cast<std::uint16_t>(b);
        table[static_cast<std::size_t>(b)] = EncodeUtf8(code);
    }
    return table;
}

constexpr std::array<Utf8Form, 256> kWindows1252 = MakeWindows1252Table();

constexpr std::array<char, 256> MakeUmlautTable() {
    std::array<char, 256> table{};
    for (int b = 0; b < 256; ++b) {
        table[static_cast<std::size_t>(b)] = static_cast<char>(b);
    }
    table[0x8E] = static_cast<char>(0xC4);  // Ä
    table[0x99] = static_cast<char>(0xD6);  // Ö
    table[0x9A] = static_cast<char>(0xDC);  // Ü
    table[0x84] = static_cast<char>(0xE4);  // ä
    table[0x94] = static_cast<char>(0xF6);  // ö
    table[0x81] = static_cast<char>(0xFC);  // ü
    table[0xE1] = static_cast<char>(0xDF);  // ß
    return table;
}

constexpr std::array<char, 256> kUmlauts = MakeUmlautTable();

// The UTF-8 of a stored character byte: its DOS umlaut converted, then decoded.
constexpr std::array<Utf8Form, 256> MakeCharacterTable() {
    std::array<Utf8Form, 256> table{};
    for (std::size_t b = 0; b < 256; ++b) {
        table[b] = kWindows1252[static_cast<unsigned char>(kUmlauts[b])];
    }
    return table;
}

constexpr std::array<Utf8Form, 256> kCharacterBytes = MakeCharacterTable();

char* PutUtf8(char* p, const Utf8Form& form) {
    p[0] = form.bytes[0];
    p[1] = form.bytes[1];
    p[2] = form.bytes[2];
    return p + form.length;
}

}  // namespace

char ConvertUmlaut(char dosByte) { return kUmlauts[static_cast<unsigned char>(dosByte)]; }

std::size_t SingleByteTextToUtf8Into(std::string_view stored, std::size_t maxCharacters,
                                     const Utf8Table& table, bool asciiAsIs, char* out) {
    char* p = out;
    const std::size_t count = std::min(stored.size(), maxCharacters);
    const char* bytes = stored.data();
    if (count == 0) {
        return 0;
    }
    std::size_t i = 0;
    for (;;) {
        // Runs of plain ASCII, the most of any table, are copied eight bytes at a time.
        if (asciiAsIs && i + 8 <= count) {
            const std::uint64_t word = bytescan::LoadEight(bytes + i);
            if (bytescan::AllAscii(word) && !bytescan::HasZeroByte(word)) {
                std::memcpy(p, bytes + i, 8);
                p += 8;
                i += 8;
                continue;
            }
        }
        // A word with a letter beyond ASCII or a NUL in it, or the last few bytes.
        const std::size_t wordEnd = std::min(i + 8, count);
        for (; i < wordEnd; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte == 0) {
                return static_cast<std::size_t>(p - out);
            }
            if (byte < 0x80 && asciiAsIs) {
                *p++ = static_cast<char>(byte);
            } else {
                p = PutUtf8(p, table[byte]);
            }
        }
        if (i >= count) {
            return static_cast<std::size_t>(p - out);
        }
    }
}

Utf8Form Utf8FormOf(std::uint16_t code) { return EncodeUtf8(code); }

const Utf8Table& GermanDosUtf8Table() { return kCharacterBytes; }

const Utf8Table& Windows1252Utf8Table() { return kWindows1252; }

std::size_t CharacterValueToUtf8Into(std::string_view stored, std::size_t maxCharacters,
                                     char* out) {
    return SingleByteTextToUtf8Into(stored, maxCharacters, kCharacterBytes, true, out);
}

std::size_t CellTextToUtf8Into(std::string_view windows1252, std::size_t maxCharacters, char* out) {
    return SingleByteTextToUtf8Into(windows1252, maxCharacters, kWindows1252, true, out);
}

std::string Windows1252ToUtf8(std::string_view windows1252) {
    std::string utf8(3 * windows1252.size(), '\0');
    char* p = utf8.data();
    for (const char c : windows1252) {
        p = PutUtf8(p, kWindows1252[static_cast<unsigned char>(c)]);
    }
    utf8.resize(static_cast<std::size_t>(p - utf8.data()));
    return utf8;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Sequence sequence = Utf8SequenceAt(bytes.substr(i));
        if (!sequence.whole) {
            return false;
        }
        i += sequence.length;
    }
    return true;
}

std::string ShownFileName(std::string_view name) {
    return IsValidUtf8(name) ? std::string(name) : Windows1252ToUtf8(name);
}

std::string_view CutToCharacters(std::string_view utf8, std::size_t maxCharacters) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (startsCharacter && characters++ == maxCharacters) {
            return utf8.substr(0, i);
        }
    }
    return utf8;
}

std::string_view UpToFirstNul(std::string_view text) {
    const std::size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace tessaro
