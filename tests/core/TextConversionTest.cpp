#include <vector>

#include <gtest/gtest.h>

#include "builder/TableBuilder.h"
#include "table/ColumnLayout.h"
#include "table/TextConversion.h"

namespace tessaro {
namespace {

using test::Bytes;

// The conversion of a whole text, byte by byte.
std::string ConvertUmlauts(std::string_view text) {
    std::string converted;
    for (const char c : text) {
        converted += ConvertUmlaut(c);
    }
    return converted;
}

TEST(ConvertUmlauts, ReplacesTheSevenGermanLettersOnly) {
    EXPECT_EQ(ConvertUmlauts(Bytes({0x8E, 0x99, 0x9A, 0x84, 0x94, 0x81, 0xE1})),
              Bytes({0xC4, 0xD6, 0xDC, 0xE4, 0xF6, 0xFC, 0xDF}));
    EXPECT_EQ(ConvertUmlauts(Bytes({0x82, 'a', 0xC4, 0x00})), Bytes({0x82, 'a', 0xC4, 0x00}));
    EXPECT_EQ(ConvertUmlauts(""), "");
}

TEST(Windows1252, DecodesToUtf8) {
    EXPECT_EQ(Windows1252ToUtf8("abc"), "abc");
    EXPECT_EQ(Windows1252ToUtf8(Bytes({0xC4, 0xFC, 0xDF})), "Äüß");
    EXPECT_EQ(Windows1252ToUtf8(Bytes({0x80, 0x84, 0x9F})), "€„Ÿ");
    EXPECT_EQ(Windows1252ToUtf8(Bytes({0x81})), "\xC2\x81") << "unassigned: the C1 control";
    EXPECT_EQ(Windows1252ToUtf8(Bytes({0xFF})), "ÿ");
}

TEST(Utf8Text, IsValidOnlyInItsShortestFormsUpToU10FFFF) {
    for (const std::string valid : {"", "abc", "Grüße", "北京市", "\xF0\x9F\x98\x80",
                                    "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF", "\xEE\x80\x80"}) {
        EXPECT_TRUE(IsValidUtf8(valid)) << valid;
    }
    for (const std::string invalid :
         {"\x80", "\xC0\xAF", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF",
          "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF", "\xC3", "\xE5\x8C", "ab\xE5\x8C",
          "\xC3\x28", "K\xE4se"}) {
        EXPECT_FALSE(IsValidUtf8(invalid)) << testing::PrintToString(invalid);
    }
    // A file name shown: as it is when UTF-8, else read as Windows-1252.
    EXPECT_EQ(ShownFileName("K\xE4se.dbf"), "Käse.dbf");
    EXPECT_EQ(ShownFileName("Käse.dbf"), "Käse.dbf");
    EXPECT_EQ(ShownFileName("/tmp/\xC3\xA4\xE4"), "/tmp/Ã¤ä") << "a name is one or the other";
}

TEST(Utf8Text, IsCutByCharactersNeverInsideOne) {
    EXPECT_EQ(CutToCharacters("Grüße", 3), "Grü");
    EXPECT_EQ(CutToCharacters("Grüße", 10), "Grüße");
    EXPECT_EQ(CutToCharacters("€€€", 2), "€€");
    EXPECT_EQ(CutToCharacters("", 0), "");
    EXPECT_EQ(UpToFirstNul(std::string_view("ab\0cd", 5)), "ab");
    EXPECT_EQ(UpToFirstNul("abc"), "abc");
}

// The one-pass road of the cells must agree with the steps it stands for: umlauts
// converted, cut at the first NUL and after 127 characters, decoded.
TEST(CellText, OnePassAgreesWithTheSteps) {
    const auto steps = [](const std::string& stored, bool character) {
        const std::string converted = character ? ConvertUmlauts(stored) : stored;
        return Windows1252ToUtf8(UpToFirstNul(converted).substr(0, 127));
    };
    const auto onePass = [](const std::string& stored, bool character) {
        std::string out(3 * 127 + 2, '\0');
        const std::size_t length = character ? CharacterValueToUtf8Into(stored, 127, out.data())
                                             : CellTextToUtf8Into(stored, 127, out.data());
        out.resize(length);
        return out;
    };
    std::vector<std::string> values = {
        "", "kurz", std::string(200, 'x'), std::string(200, '\x81'),
        Bytes({'M', 0x81, 'n', 'c', 'h', 'e', 'n', ' ', 'i', 's', 't', 0x00, 'x'})};
    for (std::size_t length = 1; length < 140; length += 7) {
        std::string mixed;
        for (std::size_t i = 0; i < length; ++i) {
            mixed +=
                "Gr\x81\xE1"
                "e aus K\x94ln\x80\t"[i % 17];
        }
        values.push_back(mixed);
        values.push_back(mixed + std::string(1, '\0') + "danach");
    }
    for (const std::string& value : values) {
        EXPECT_EQ(onePass(value, true), steps(value, true)) << value.size();
        EXPECT_EQ(onePass(value, false), steps(value, false)) << value.size();
    }
}

TEST(Columns, HeadingsAreTheNamesWithTheUmlautsConverted) {
    FieldDesc field;
    field.FieldName = Bytes({'G', 'R', 0x99, 0xE1, 'E'});
    EXPECT_EQ(ColumnHeading(field), "GRÖßE");
}

}  // namespace
}  // namespace tessaro
