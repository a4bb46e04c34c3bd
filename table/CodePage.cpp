#include "CodePage.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace tessaro {

namespace {

constexpr std::string_view kWindowsGroup = "Windows";
constexpr std::string_view kDosGroup = "DOS";
constexpr std::string_view kIsoGroup = "ISO 8859";
constexpr std::string_view kEastAsianGroup = "Ostasien";
constexpr std::string_view kOtherGroup = "Weitere";

constexpr CodePageInfo kCodePages[] = {
    {kGermanDosRule, "DOS (deutsche Umlaute)", "DOS mit deutschen Umlauten", ""},
    {kUtf8, "UTF-8", "UTF-8", ""},
    {1250, "Windows-1250 (Mitteleuropa)", "Windows-1250", kWindowsGroup},
    {1251, "Windows-1251 (Kyrillisch)", "Windows-1251", kWindowsGroup},
    {1252, "Windows-1252 (Westeuropa)", "Windows-1252", kWindowsGroup},
    {1253, "Windows-1253 (Griechisch)", "Windows-1253", kWindowsGroup},
    {1254, "Windows-1254 (Türkisch)", "Windows-1254", kWindowsGroup},
    {1255, "Windows-1255 (Hebräisch)", "Windows-1255", kWindowsGroup},
    {1256, "Windows-1256 (Arabisch)", "Windows-1256", kWindowsGroup},
    {1257, "Windows-1257 (Baltisch)", "Windows-1257", kWindowsGroup},
    {1258, "Windows-1258 (Vietnamesisch)", "Windows-1258", kWindowsGroup},
    {874, "Windows-874 (Thailändisch)", "Windows-874", kWindowsGroup},
    {437, "DOS 437 (USA)", "DOS 437", kDosGroup},
    {737, "DOS 737 (Griechisch)", "DOS 737", kDosGroup},
    {775, "DOS 775 (Baltisch)", "DOS 775", kDosGroup},
    {850, "DOS 850 (Westeuropa)", "DOS 850", kDosGroup},
    {852, "DOS 852 (Mitteleuropa)", "DOS 852", kDosGroup},
    {855, "DOS 855 (Kyrillisch)", "DOS 855", kDosGroup},
    {857, "DOS 857 (Türkisch)", "DOS 857", kDosGroup},
    {860, "DOS 860 (Portugiesisch)", "DOS 860", kDosGroup},
    {861, "DOS 861 (Isländisch)", "DOS 861", kDosGroup},
    {862, "DOS 862 (Hebräisch)", "DOS 862", kDosGroup},
    {863, "DOS 863 (Kanadisch-Französisch)", "DOS 863", kDosGroup},
    {864, "DOS 864 (Arabisch)", "DOS 864", kDosGroup},
    {865, "DOS 865 (Nordisch)", "DOS 865", kDosGroup},
    {866, "DOS 866 (Kyrillisch)", "DOS 866", kDosGroup},
    {869, "DOS 869 (Neugriechisch)", "DOS 869", kDosGroup},
    {28591, "ISO-8859-1 (Westeuropa)", "ISO-8859-1", kIsoGroup},
    {28592, "ISO-8859-2 (Mitteleuropa)", "ISO-8859-2", kIsoGroup},
    {28593, "ISO-8859-3 (Südeuropa)", "ISO-8859-3", kIsoGroup},
    {28594, "ISO-8859-4 (Nordeuropa)", "ISO-8859-4", kIsoGroup},
    {28595, "ISO-8859-5 (Kyrillisch)", "ISO-8859-5", kIsoGroup},
    {28596, "ISO-8859-6 (Arabisch)", "ISO-8859-6", kIsoGroup},
    {28597, "ISO-8859-7 (Griechisch)", "ISO-8859-7", kIsoGroup},
    {28598, "ISO-8859-8 (Hebräisch)", "ISO-8859-8", kIsoGroup},
    {28599, "ISO-8859-9 (Türkisch)", "ISO-8859-9", kIsoGroup},
    {28600, "ISO-8859-10 (Nordisch)", "ISO-8859-10", kIsoGroup},
    {28601, "ISO-8859-11 (Thailändisch)", "ISO-8859-11", kIsoGroup},
    {28603, "ISO-8859-13 (Baltisch)", "ISO-8859-13", kIsoGroup},
    {28604, "ISO-8859-14 (Keltisch)", "ISO-8859-14", kIsoGroup},
    {28605, "ISO-8859-15 (Westeuropa mit Euro)", "ISO-8859-15", kIsoGroup},
    {28606, "ISO-8859-16 (Südosteuropa)", "ISO-8859-16", kIsoGroup},
    {932, "Windows-932 (Japanisch, Shift-JIS)", "Windows-932", kEastAsianGroup},
    {20932, "EUC-JP (Japanisch)", "EUC-JP", kEastAsianGroup},
    {936, "Windows-936 (Chinesisch vereinfacht, GBK)", "Windows-936", kEastAsianGroup},
    {950, "Windows-950 (Chinesisch traditionell, Big5)", "Windows-950", kEastAsianGroup},
    {949, "Windows-949 (Koreanisch)", "Windows-949", kEastAsianGroup},
    {20866, "KOI8-R (Russisch)", "KOI8-R", kOtherGroup},
    {21866, "KOI8-U (Ukrainisch)", "KOI8-U", kOtherGroup},
    {10000, "Mac Roman (Westeuropa)", "Mac Roman", kOtherGroup},
    {10029, "Mac (Mitteleuropa)", "Mac Mitteleuropa", kOtherGroup},
    {10007, "Mac (Kyrillisch)", "Mac Kyrillisch", kOtherGroup},
    {10006, "Mac (Griechisch)", "Mac Griechisch", kOtherGroup},
};

// The Windows code page numbers that may also be written with a word in front.
constexpr int kWindowsNumbers[] = {437,  737,  775,  850,  852,  855,  857,  860,  861, 862,
                                   863,  864,  865,  866,  869,  874,  932,  936,  949, 950,
                                   1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};
constexpr std::string_view kNumberPrefixes[] = {"windows", "ansi", "oem", "cp", "ibm"};

struct Alias {
    std::string_view name;  // lower case, without blanks, "-" and "_"
    int number;
};
constexpr Alias kAliases[] = {
    {"dos", kGermanDosRule},
    {"utf8", kUtf8},
    {"65001", kUtf8},
    {"koi8r", 20866},
    {"20866", 20866},
    {"koi8u", 21866},
    {"21866", 21866},
    {"eucjp", 20932},
    {"20932", 20932},
    {"euckr", 949},
    {"uhc", 949},
    {"big5", 950},
    {"gbk", 936},
    {"gb2312", 936},
    {"shiftjis", 932},
    {"sjis", 932},
    {"latin1", 28591},
    {"latin2", 28592},
    {"latin9", 28605},
    {"10000", 10000},
    {"10006", 10006},
    {"10007", 10007},
    {"10029", 10029},
};

// The ISO 8859 parts there are: 1 to 16 but 12, as 28590 + the part.
bool IsIsoPart(int part) { return part >= 1 && part <= 16 && part != 12; }

std::optional<int> Number(std::string_view digits) {
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        digits.front() == '+' || digits.front() == '-') {
        return std::nullopt;
    }
    return value;
}

std::optional<int> IsoPage(std::string_view name) {
    for (const std::string_view prefix : {std::string_view("iso8859"), std::string_view("8859")}) {
        if (name.starts_with(prefix) && name.size() > prefix.size()) {
            const std::optional<int> part = Number(name.substr(prefix.size()));
            if (part && IsIsoPart(*part)) {
                return 28590 + *part;
            }
        }
    }
    const std::optional<int> number = Number(name);
    if (number && IsIsoPart(*number - 28590)) {
        return *number;
    }
    return std::nullopt;
}

std::optional<int> WindowsNumber(std::string_view name) {
    for (const std::string_view prefix : kNumberPrefixes) {
        if (name.starts_with(prefix)) {
            name.remove_prefix(prefix.size());
            break;
        }
    }
    const std::optional<int> number = Number(name);
    if (number && std::find(std::begin(kWindowsNumbers), std::end(kWindowsNumbers), *number) !=
                      std::end(kWindowsNumbers)) {
        return number;
    }
    return std::nullopt;
}

// Language driver bytes and the code pages they name.
struct Driver {
    std::uint8_t byte;
    int number;
};
constexpr Driver kDrivers[] = {
    {0x01, 437},  {0x02, 850},  {0x03, 1252}, {0x04, 10000}, {0x08, 865},   {0x09, 437},
    {0x0A, 850},  {0x0B, 437},  {0x0D, 437},  {0x0E, 850},   {0x0F, 437},   {0x10, 850},
    {0x11, 437},  {0x12, 850},  {0x13, 932},  {0x14, 850},   {0x15, 437},   {0x16, 850},
    {0x17, 865},  {0x18, 437},  {0x19, 437},  {0x1A, 850},   {0x1B, 437},   {0x1C, 863},
    {0x1D, 850},  {0x1F, 852},  {0x22, 852},  {0x23, 852},   {0x24, 860},   {0x25, 850},
    {0x26, 866},  {0x37, 850},  {0x40, 852},  {0x4D, 936},   {0x4E, 949},   {0x4F, 950},
    {0x50, 874},  {0x57, 1252}, {0x58, 1252}, {0x59, 1252},  {0x64, 852},   {0x65, 866},
    {0x66, 865},  {0x67, 861},  {0x6A, 737},  {0x6B, 857},   {0x6C, 863},   {0x78, 950},
    {0x79, 949},  {0x7A, 936},  {0x7B, 932},  {0x7C, 874},   {0x7D, 1255},  {0x7E, 1256},
    {0x86, 737},  {0x87, 852},  {0x88, 857},  {0x96, 10007}, {0x97, 10029}, {0x98, 10006},
    {0xC8, 1250}, {0xC9, 1251}, {0xCA, 1254}, {0xCB, 1253},  {0xCC, 1257},
};

}  // namespace

std::span<const CodePageInfo> KnownCodePages() { return kCodePages; }

const CodePageInfo& CodePageInfoOf(int number) {
    for (const CodePageInfo& page : kCodePages) {
        if (page.number == number) {
            return page;
        }
    }
    return kCodePages[0];
}

std::optional<int> CodePageByName(std::string_view name) {
    std::string normalized;
    for (const char c : name) {
        if (c == ' ' || c == '-' || c == '_') {
            continue;
        }
        normalized += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    for (const Alias& alias : kAliases) {
        if (normalized == alias.name) {
            return alias.number;
        }
    }
    if (const std::optional<int> iso = IsoPage(normalized)) {
        return iso;
    }
    return WindowsNumber(normalized);
}

std::string KnownCodePageNames() {
    return "Bekannt sind die Windows-Nummern 437, 737, 775, 850, 852, 855, 857, 860 bis 866, "
           "869, 874, 932, 936, 949, 950 und 1250 bis 1258 (auch mit ANSI, OEM, CP, IBM oder "
           "Windows- davor), UTF-8 (65001), KOI8-R (20866), KOI8-U (21866), EUC-JP (20932), "
           "EUC-KR und UHC (949), BIG5 (950), GBK und GB2312 (936), SHIFT_JIS und SJIS (932), "
           "ISO-8859-1 bis ISO-8859-16 ohne 12 (auch ISO8859-1, 8859-1, 88591 oder 28591 "
           "bis 28606), LATIN1, LATIN2, LATIN9, die Macintosh-Seiten 10000, 10006, 10007 und "
           "10029 sowie DOS für die deutschen Umlaute des DOS-Zeichensatzes.";
}

std::optional<int> CodePageOfLanguageDriver(std::uint8_t driver) {
    for (const Driver& known : kDrivers) {
        if (known.byte == driver) {
            return known.number;
        }
    }
    return std::nullopt;
}

}  // namespace tessaro
