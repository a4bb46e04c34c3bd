#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tessaro {

// A code page is named by its Windows number; the German DOS rule (the seven umlauts of the
// DOS code page, everything else read as Windows-1252) is the one without.
inline constexpr int kGermanDosRule = -1;
inline constexpr int kWindows1252 = 1252;
inline constexpr int kUtf8 = 65001;

struct CodePageInfo {
    int number;
    std::string_view name;       // as the menu names it: "Windows-1251 (Kyrillisch)"
    std::string_view shortName;  // "Windows-1251"
    std::string_view group;      // the submenu it stands in; empty: the menu itself
};

// Every code page the program reads, in the order of the menu.
std::span<const CodePageInfo> KnownCodePages();

// The description of a known code page; of the German DOS rule for any other number.
const CodePageInfo& CodePageInfoOf(int number);

// The code page a name stands for, as a .cpg file, the command line or a user writes it:
// "1251", "ANSI 1252", "CP866", "Windows-1250", "UTF-8", "KOI8-R", "SHIFT_JIS", "88591",
// "ISO-8859-15", "LATIN1", "DOS" ... Case does not matter, nor blanks, "-" and "_".
std::optional<int> CodePageByName(std::string_view name);

// The names CodePageByName knows, as a German sentence for the user.
std::string KnownCodePageNames();

// The code page a table's language driver byte (offset 29) names, if any.
std::optional<int> CodePageOfLanguageDriver(std::uint8_t driver);

}  // namespace tessaro
