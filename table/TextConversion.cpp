#include "TextConversion.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace tessaro {

namespace {

struct Utf8Form {
    unsigned char length;
    char bytes[3];
};

// Unicode of 0x80..0x9F in Windows-1252; the five unassigned codes map to the C1 control
// of the same number, as Windows itself decodes them.
constexpr std::array<std::uint16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr Utf8Form EncodeUtf8(std::uint16_t code) {
    if (code < 0x80) {
        return {1, {static_cast<char>(code), 0, 0}};
    }
    if (code < 0x800) {
        return {2, {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F)), 0}};
    }
    return {3,
            {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
             static_cast<char>(0x80 | (code & 0x3F))}};
}

constexpr std::array<Utf8Form, 256> MakeWindows1252Table() {
    std::array<Utf8Form, 256> table{};
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

}  // namespace

char ConvertUmlaut(char dosByte) { return kUmlauts[static_cast<unsigned char>(dosByte)]; }

void ConvertUmlautsInPlace(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = ConvertUmlaut(text[i]);
    }
}

std::string ConvertUmlauts(std::string_view text) {
    std::string converted(text);
    ConvertUmlautsInPlace(converted.data(), converted.size());
    return converted;
}

std::size_t Windows1252ToUtf8Into(std::string_view windows1252, char* out) {
    char* p = out;
    for (const char c : windows1252) {
        const Utf8Form& form = kWindows1252[static_cast<unsigned char>(c)];
        if (form.length == 1) {
            *p++ = form.bytes[0];
        } else {
            std::memcpy(p, form.bytes, form.length);
            p += form.length;
        }
    }
    return static_cast<std::size_t>(p - out);
}

void AppendWindows1252AsUtf8(std::string_view windows1252, std::string& utf8) {
    const std::size_t before = utf8.size();
    utf8.resize(before + 3 * windows1252.size());
    const std::size_t written = Windows1252ToUtf8Into(windows1252, utf8.data() + before);
    utf8.resize(before + written);
}

std::string Windows1252ToUtf8(std::string_view windows1252) {
    std::string utf8;
    AppendWindows1252AsUtf8(windows1252, utf8);
    return utf8;
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
