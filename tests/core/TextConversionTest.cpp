#include <gtest/gtest.h>

#include "support/TableBuilder.h"
#include "table/ColumnLayout.h"
#include "table/TextConversion.h"

namespace tessaro {
namespace {

using test::Bytes;

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

TEST(Utf8Text, IsCutByCharactersNeverInsideOne) {
    EXPECT_EQ(CutToCharacters("Grüße", 3), "Grü");
    EXPECT_EQ(CutToCharacters("Grüße", 10), "Grüße");
    EXPECT_EQ(CutToCharacters("€€€", 2), "€€");
    EXPECT_EQ(CutToCharacters("", 0), "");
    EXPECT_EQ(UpToFirstNul(std::string_view("ab\0cd", 5)), "ab");
    EXPECT_EQ(UpToFirstNul("abc"), "abc");
}

TEST(Columns, HeadingsAndWidths) {
    FieldDesc field;
    field.FieldName = Bytes({'G', 'R', 0x99, 0xE1, 'E'});
    EXPECT_EQ(ColumnHeading(field), "GRÖßE");
    const auto width = [](const std::string& name, int length) {
        FieldDesc f;
        f.FieldName = name;
        f.FieldLength = static_cast<std::int16_t>(length);
        return ColumnWidth(f);
    };
    EXPECT_EQ(width("NAME", 30), 200) << "8 x 30 = 240, capped";
    EXPECT_EQ(width("ABCDEFGHIJKL", 6), 108);
    EXPECT_EQ(width("AB", 2), 18) << "equal lengths take the name";
    EXPECT_EQ(width("AB", 3), 24);
    EXPECT_EQ(width("", 0), 0);
    EXPECT_EQ(width(std::string(32, 'X'), 1), 200);
}

}  // namespace
}  // namespace tessaro
