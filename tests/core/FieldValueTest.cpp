#include <gtest/gtest.h>

#include "builder/TableBuilder.h"
#include "table/DbfFormat.h"
#include "table/FieldValue.h"

namespace tessaro {
namespace {

using test::Bytes;

std::string Format(char type, const std::string& raw) { return FormatCellText(type, raw); }

TEST(CharacterValues, ConvertDosUmlautsAndKeepBlanks) {
    EXPECT_EQ(Format('C', Bytes({'G', 'r', 0x81, 0xE1, 'e'})), "Grüße");
    EXPECT_EQ(Format('C', "  Meier  "), "  Meier  ");
    EXPECT_EQ(Format('C', Bytes({0x82})), "‚") << "other DOS letters are the Windows character";
    EXPECT_EQ(Format('C', ""), "");
}

TEST(CellTexts, EndAtTheFirstNulAndAfter127Characters) {
    EXPECT_EQ(Format('C', std::string(200, 'x')), std::string(127, 'x'));
    EXPECT_EQ(Format('C', std::string("ab\0cd", 5)), "ab");
    std::string umlauts;
    for (int i = 0; i < 127; ++i) {
        umlauts += "ä";
    }
    EXPECT_EQ(Format('C', std::string(200, '\x84')), umlauts) << "characters, not bytes";
    EXPECT_EQ(Format('M', "  1234567"), "Block: 1234567");
    EXPECT_EQ(Format('N', std::string(" 12\0 ", 5)), "12");
}

TEST(NumericValues, AreTrimmedOfBlanksOnly) {
    EXPECT_EQ(Format('N', "   12.50"), "12.50");
    EXPECT_EQ(Format('F', " -1.5e3 "), "-1.5e3");
    EXPECT_EQ(Format('N', "        "), "");
    EXPECT_EQ(Format('N', "\t1 "), "\t1");
    EXPECT_EQ(Format('N', "1,5"), "1,5") << "the decimal point is not changed";
}

TEST(DateValues, AreRearrangedWithoutValidation) {
    EXPECT_EQ(Format('D', "20240131"), "31.01.2024");
    EXPECT_EQ(Format('D', "        "), "  .  .    ");
    EXPECT_EQ(Format('D', "ABCDEFGH"), "GH.EF.ABCD");
    EXPECT_EQ(Format('D', "2024"), "24..2024") << "a short value gives what is there";
    EXPECT_EQ(Format('D', ""), "..");
}

TEST(LogicalValues, TrueIsTOrY) {
    // dBASE takes T, t, Y and y for true; dBASE IV and III write a Y.
    for (const char* yes : {"T", "t", "Y", "y"}) {
        EXPECT_EQ(Format('L', yes), "Ja") << yes;
    }
    for (const char* other : {"F", "f", "N", "?", " ", "", "TT", "J"}) {
        EXPECT_EQ(Format('L', other), "Nein") << other;
    }
}

TEST(MemoValues, NameTheirBlock) {
    EXPECT_EQ(Format('M', "        17"), "Block: 17");
    EXPECT_EQ(Format('M', "          "), "");
    EXPECT_EQ(Format('M', " 12 34 "), "Block: 12 34");
}

TEST(OtherTypes, ShowQuestionMarks) {
    for (const char type : {'B', 'G', 'X', 'c', 'n', 'm', '\0', '0'}) {
        EXPECT_EQ(Format(type, "0000000001"), "???") << type;
    }
}

TEST(IntegerValues, AreBigEndianWithTheSignBitFlipped) {
    EXPECT_EQ(Format('I', Bytes({0x80, 0x00, 0x00, 0x2A})), " 42");
    EXPECT_EQ(Format('I', Bytes({0x80, 0x00, 0x00, 0x00})), " 0");
    EXPECT_EQ(Format('I', Bytes({0x7F, 0xFF, 0xFF, 0xFF})), "-1");
    EXPECT_EQ(Format('I', Bytes({0x00, 0x00, 0x00, 0x01})), "-2147483647");
    EXPECT_EQ(Format('I', Bytes({0xFF, 0xFF, 0xFF, 0xFF})), " 2147483647");
    EXPECT_EQ(Format('I', Bytes({0x80, 0x4C, 0x4B, 0x40})), " 5000000");
}

TEST(IntegerValues, EmptyOrShortValuesShowNothing) {
    EXPECT_EQ(Format('I', Bytes({0, 0, 0, 0})), "");
    EXPECT_EQ(Format('+', Bytes({0, 0, 0, 0})), "");
    EXPECT_EQ(Format('+', Bytes({0x80, 0, 0, 1})), " 1");
    EXPECT_EQ(Format('I', Bytes({0x80, 0, 0})), "");
    EXPECT_EQ(Format('+', ""), "");
}

TEST(FoxProValues, IntegersAreLittleEndianTwosComplement) {
    const auto fox = [](char type, const std::string& raw) {
        return FormatCellText(type, raw, ValueDialect::FoxPro);
    };
    EXPECT_EQ(fox('I', Bytes({0x01, 0, 0, 0})), " 1");
    EXPECT_EQ(fox('I', Bytes({0xFF, 0xFF, 0xFF, 0xFF})), "-1");
    EXPECT_EQ(fox('I', Bytes({0, 0, 0, 0})), " 0") << "zero, not empty";
    EXPECT_EQ(fox('I', Bytes({0x00, 0x00, 0x00, 0x80})), "-2147483648");
    EXPECT_EQ(fox('I', Bytes({0x01, 0})), "") << "a short value shows nothing";
    EXPECT_EQ(fox('+', Bytes({0x80, 0, 0, 0x01})), " 1") << "autoincrement keeps its rule";
    EXPECT_EQ(fox('+', Bytes({0, 0, 0, 0})), "");
    EXPECT_EQ(DialectOf(0x30), ValueDialect::FoxPro);
    EXPECT_EQ(DialectOf(0x31), ValueDialect::FoxPro);
    EXPECT_EQ(DialectOf(0x32), ValueDialect::FoxPro);
    for (const int other : {0x03, 0x04, 0x83, 0x8B, 0x8C, 0xF5}) {
        EXPECT_EQ(DialectOf(static_cast<std::uint8_t>(other)), ValueDialect::DBase) << other;
    }
}

TEST(FoxProValues, FourByteMemoReferencesAreBlockNumbers) {
    const auto fox = [](char type, const std::string& raw) {
        return FormatCellText(type, raw, ValueDialect::FoxPro);
    };
    EXPECT_EQ(fox('M', Bytes({0x05, 0, 0, 0})), "Block: 5");
    EXPECT_EQ(fox('M', Bytes({0x10, 0x27, 0, 0})), "Block: 10000");
    EXPECT_EQ(fox('M', Bytes({0, 0, 0, 0})), "") << "no memo";
    EXPECT_EQ(fox('M', Bytes({0xFF, 0xFF, 0xFF, 0xFF})), "Block: 4294967295");
    EXPECT_EQ(fox('M', "        17"), "Block: 17") << "ten digits keep their rule";
    EXPECT_EQ(Format('M', Bytes({0x05, 0, 0, 0})), "Block: \x05") << "not in a dBASE table";
}

TEST(FoxProValues, MoneyDateTimesAndDoublesOfVisualFoxPro) {
    const auto fox = [](char type, const std::string& raw) {
        return FormatCellText(type, raw, ValueDialect::FoxPro);
    };
    const auto eight = [](std::uint64_t value) {
        std::string bytes;
        for (int i = 0; i < 8; ++i) {
            bytes += static_cast<char>(value >> (8 * i) & 0xFF);
        }
        return bytes;
    };
    // Money: little-endian, four implied decimals, the exact value's digits.
    EXPECT_EQ(fox('Y', eight(123456)), " 12.3456");
    EXPECT_EQ(fox('Y', eight(180000)), " 18");
    EXPECT_EQ(fox('Y', eight(1)), " .0001");
    EXPECT_EQ(fox('Y', eight(0)), " 0");
    EXPECT_EQ(fox('Y', eight(static_cast<std::uint64_t>(-25000))), "-2.5");
    EXPECT_EQ(fox('Y', eight(0x8000000000000000u)), "-922337203685478")
        << "15 digits, the 16th rounding, also of the most negative amount";
    EXPECT_EQ(fox('Y', eight(12345678901234549u)), " 1234567890123.45")
        << "rounded from the exact digits, which a double would not keep";
    // Date-time: Julian day, then milliseconds; seconds cut, not rounded.
    const auto dateTime = [&eight](std::uint32_t day, std::uint32_t ms) {
        return eight(std::uint64_t{ms} << 32 | day);
    };
    EXPECT_EQ(fox('T', dateTime(2440588, 45296000)), "01-01-1970  12:34:56");
    EXPECT_EQ(fox('T', dateTime(2440588, 45296999)), "01-01-1970  12:34:56");
    EXPECT_EQ(fox('T', dateTime(1721426, 0)), "01-01-0001  00:00:00") << "the first day";
    EXPECT_EQ(fox('T', dateTime(5373484, 86399999)), "31-12-9999  23:59:59") << "the last";
    for (const std::string& mask : {dateTime(1721425, 0), dateTime(5373485, 0),
                                    dateTime(2440588, 86400000), dateTime(0xFFFFFFFFu, 0)}) {
        EXPECT_EQ(fox('T', mask), "**-**-****  **:**:**");
    }
    EXPECT_EQ(fox('T', std::string(8, '\0')), "") << "no value";
    EXPECT_EQ(fox('T', std::string(8, ' ')), "");
    EXPECT_EQ(fox('T', dateTime(2440588, 0).substr(0, 7)), "");
    // Doubles: little-endian, as stored.
    EXPECT_EQ(fox('B', eight(0x4024000000000000u)), " 10");
    EXPECT_EQ(fox('B', eight(0xC0091EB851EB851Fu)), "-3.14");
    EXPECT_EQ(fox('B', std::string(8, '\0')), " 0") << "zero, not empty";
    // Varchar shows as character; the other binary types as before.
    EXPECT_EQ(fox('V', Bytes({'G', 'r', 0x81, 0xE1, 'e', ' '})), "Grüße ");
    for (const char type : {'Q', 'W', 'G', 'P'}) {
        EXPECT_EQ(fox(type, "abc"), "???") << type;
    }
    // In a dBASE table these letters keep their meaning there.
    EXPECT_EQ(Format('B', eight(0x4024000000000000u)), "???");
    EXPECT_EQ(Format('Y', eight(180000)), "???");
    EXPECT_EQ(Format('V', "abc"), "???");
}

TEST(DoubleValues, PositiveHaveTheSignBitFlippedNegativeAreInverted) {
    EXPECT_EQ(Format('O', Bytes({0xC0, 0x24, 0, 0, 0, 0, 0, 0})), " 10");
    EXPECT_EQ(Format('O', Bytes({0xC0, 0x09, 0x21, 0xF9, 0xF0, 0x1B, 0x86, 0x6E})), " 3.14159");
    EXPECT_EQ(Format('O', Bytes({0x3F, 0xDB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})), "-10");
    // Written by dBASE 7 itself.
    EXPECT_EQ(Format('O', Bytes({0x3F, 0x97, 0x00, 0x51, 0xEB, 0x85, 0x1E, 0xB7})), "-199.99");
    EXPECT_EQ(Format('O', Bytes({0xC0, 0x45, 0xD3, 0x33, 0x33, 0x33, 0x33, 0x33})), " 43.65");
    EXPECT_EQ(Format('O', Bytes({0x80, 0, 0, 0, 0, 0, 0, 0})), " 0");
}

TEST(DoubleValues, EmptyShortAndNonNumbersNeverFail) {
    EXPECT_EQ(Format('O', std::string(8, '\0')), "");
    EXPECT_EQ(Format('O', Bytes({0xC0, 0x24, 0, 0})), "");
    EXPECT_EQ(Format('O', Bytes({0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})), " 0")
        << "minus zero";
    EXPECT_EQ(Format('O', Bytes({0xFF, 0xF8, 0, 0, 0, 0, 0, 0})), "NaN");
    EXPECT_EQ(Format('O', Bytes({0xFF, 0xF0, 0, 0, 0, 0, 0, 0})), " Inf");
    EXPECT_EQ(Format('O', Bytes({0x00, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})), "-Inf");
}

TEST(TimestampValues, ShowDateAndTimeOrTheMask) {
    EXPECT_EQ(Format('@', Bytes({0x42, 0xCC, 0xAF, 0xC2, 0x6B, 0x04, 0xC0, 0x00})),
              "01-01-2000  12:34:56");
    EXPECT_EQ(Format('@', Bytes({0x42, 0xCB, 0x40, 0x62, 0xAA, 0x88, 0x00, 0x00})),
              "01-01-1900  00:00:00");
    EXPECT_EQ(Format('@', std::string(8, '\0')), "**-**-****  **:**:**");
    EXPECT_EQ(Format('@', Bytes({0x42, 0xCB, 0x40})), "");
}

TEST(ByteOrder, TheFormatsTwoReaders) {
    EXPECT_EQ(dbf::ReadBigEndian(Bytes({0x12, 0x34, 0x56, 0x78})), 0x12345678u);
    EXPECT_EQ(dbf::ReadLittleEndian(Bytes({0x12, 0x34, 0x56, 0x78})), 0x78563412u);
    EXPECT_EQ(dbf::ReadLittleEndian(Bytes({0xFF, 0x7F})), 0x7FFFu);
    EXPECT_EQ(dbf::ReadBigEndian(""), 0u);
    EXPECT_EQ(dbf::ReadBigEndian(Bytes({0x80, 0, 0, 0, 0, 0, 0, 1})), 0x8000000000000001u);
}

}  // namespace
}  // namespace tessaro
