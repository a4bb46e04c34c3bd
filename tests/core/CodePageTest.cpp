// The code page of a table: its names, the rules that choose it, and what every code page
// makes of the bytes of a table.

#include <gtest/gtest.h>

#include "builder/TableBuilder.h"
#include "support/CoreFixture.h"
#include "table/CodePage.h"
#include "table/FieldValue.h"
#include "table/ReadTableHeader.h"
#include "table/RecordCells.h"

namespace tessaro {
namespace {

using test::Bytes;
using test::TableBuilder;
using test::WriteFile;

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

TEST(CodePageNames, AreReadAsFilesCommandLinesAndUsersWriteThem) {
    const std::vector<std::pair<std::string, int>> known = {
        {"1251", 1251},    {"ANSI 1252", 1252},    {"ansi_1251", 1251},     {"CP866", 866},
        {"OEM 850", 850},  {"IBM437", 437},        {"Windows-1250", 1250},  {"windows 1257", 1257},
        {"874", 874},      {"UTF-8", kUtf8},       {"utf8", kUtf8},         {"65001", kUtf8},
        {"KOI8-R", 20866}, {"koi8_u", 21866},      {"20866", 20866},        {"EUC-JP", 20932},
        {"EUC-KR", 949},   {"UHC", 949},           {"Big5", 950},           {"GBK", 936},
        {"GB2312", 936},   {"Shift_JIS", 932},     {"SJIS", 932},           {"88591", 28591},
        {"8859-5", 28595}, {"ISO-8859-15", 28605}, {"ISO8859-11", 28601},   {"iso 8859 16", 28606},
        {"28603", 28603},  {"LATIN1", 28591},      {"Latin2", 28592},       {"latin9", 28605},
        {"10007", 10007},  {"10029", 10029},       {"DOS", kGermanDosRule}, {"dos", kGermanDosRule},
    };
    for (const auto& [name, number] : known) {
        EXPECT_EQ(CodePageByName(name), number) << name;
    }
    for (const std::string unknown :
         {"", "UTF-16", "1200", "ISO-8859-12", "28602", "8859", "CP10000", "ANSI", "<html>",
          "1252x", "+1252", "Windows", "437 850", "deutsch"}) {
        EXPECT_EQ(CodePageByName(unknown), std::nullopt) << unknown;
    }
    // Every code page the menu offers has a name of its own that is known.
    for (const CodePageInfo& page : KnownCodePages()) {
        EXPECT_EQ(CodePageInfoOf(page.number).name, page.name);
        EXPECT_NE(page.name.find(page.shortName.substr(0, 3)), std::string_view::npos);
    }
}

class CodePageChoiceTest : public test::CoreFixture {
protected:
    // The code page the table decides by itself, and why.
    std::pair<int, std::string> Decide(const TableBuilder& table) {
        table.WriteTo(dir.File("t.dbf"));
        session.tableInfo.FileName = dir.File("t.dbf");
        EXPECT_EQ(ReadTableHeader(session, session.tableInfo.FileName, nullptr), 1);
        EXPECT_EQ(cells.Load(session), 1);
        const CodePageDecision decision = AutomaticCodePage(session, cells);
        return {decision.codePage, decision.Why()};
    }

    RecordCells cells;
};

TEST_F(CodePageChoiceTest, FollowsItsRulesInTheirOrder) {
    const std::string beijing = "北京市";
    const auto table = [](std::uint8_t driver, const std::vector<std::string>& values,
                          const std::string& name = "NAME") {
        TableBuilder built;
        built.LanguageDriverByte(driver).Field(name, 'C', 9).Field("ZAHL", 'N', 4);
        for (const std::string& value : values) {
            built.Record({value, "1"});
        }
        return built;
    };
    using Decision = std::pair<int, std::string>;
    const Decision byDefault{kGermanDosRule, "Voreinstellung"};
    EXPECT_EQ(Decide(table(0, {"Meier"})), byDefault);
    EXPECT_EQ(Decide(table(0xC9, {"Meier"})), (Decision{1251, "Sprachtreiber 0xC9"}));
    EXPECT_EQ(Decide(table(0x05, {"Meier"})), byDefault) << "a driver that names no code page";
    // A driver of Windows-1252 only while the data holds no DOS umlauts.
    const std::string hernandez = Bytes({'H', 'e', 'r', 'n', 0xE1, 'n', 'd', 'e', 'z'});
    EXPECT_EQ(Decide(table(0x03, {hernandez})), (Decision{1252, "Sprachtreiber 0x03"}));
    EXPECT_EQ(Decide(table(0x57, {hernandez, Bytes({'M', 0x81, 'l', 'l', 'e', 'r'})})), byDefault);
    // UTF-8 before any driver: in a value far down, or in a name alone.
    std::vector<std::string> many(3000, "Meier");
    many.push_back(beijing);
    EXPECT_EQ(Decide(table(0xC9, many)), (Decision{kUtf8, "UTF-8 erkannt"}));
    EXPECT_EQ(Decide(table(0, {"Meier"}, "ORTSNAME\xC3\x84")), (Decision{kUtf8, "UTF-8 erkannt"}));
    EXPECT_EQ(Decide(table(0, {beijing, Bytes({0xE4})})), byDefault) << "not all of it UTF-8";
    // A character cut by the end of its field is no fault, but no sign of UTF-8 either.
    const std::string cut = "abcdefg" + beijing.substr(0, 2);  // 9 bytes, the field's length
    EXPECT_EQ(Decide(table(0, {cut, beijing})), (Decision{kUtf8, "UTF-8 erkannt"}));
    EXPECT_EQ(Decide(table(0, {cut})), byDefault);
    // Bytes of other fields than C fields do not count.
    EXPECT_EQ(Decide(TableBuilder().Field("N", 'N', 6).Record({beijing.substr(0, 6)})), byDefault);
    // A .cpg file beside the table, in any case, before everything else.
    WriteFile(dir.File("t.cpg"), "1251");
    EXPECT_EQ(Decide(table(0x65, {beijing})), (Decision{1251, "t.cpg"}));
    std::filesystem::remove(test::PathOf(dir.File("t.cpg")));
    WriteFile(dir.File("T.CPG"), "\xEF\xBB\xBF ANSI 1252 \r\nzweite Zeile");
    EXPECT_EQ(Decide(table(0xC9, {"Meier"})), (Decision{1252, "T.CPG"}));
    cells.Clear();
    EXPECT_EQ(AutomaticCodePage(session, cells).AutomaticText(),
              "Automatisch: Windows-1252 (T.CPG)");
    // A .cpg file that names no code page counts as none.
    for (const std::string& junk :
         {std::string("<html><body>1251</body></html>"), std::string("UTF-16"), std::string(""),
          std::string("U\0T\0F\0-\08\0", 10), std::string(5000, ' ') + "1251"}) {
        WriteFile(dir.File("T.CPG"), junk);
        EXPECT_EQ(Decide(table(0xC9, {"Meier"})), (Decision{1251, "Sprachtreiber 0xC9"})) << junk;
    }
}

// Every code page the menu offers, on a table whose name and value hold every byte but NUL,
// and on the characters each is known for.
TEST_F(CodePageChoiceTest, EveryCodePageDecodesEveryByteOfNamesAndValues) {
    std::string everyByte;
    for (int b = 1; b < 256; ++b) {
        everyByte += static_cast<char>(b);
    }
    TableBuilder(0x30)
        .Field(everyByte.substr(0x80, 11), 'C', 255)
        .Field("V", 'V', 255)
        .Record({everyByte, everyByte})
        .WriteTo(dir.File("t.dbf"));
    session.tableInfo.FileName = dir.File("t.dbf");
    ASSERT_EQ(ReadTableHeader(session, session.tableInfo.FileName, nullptr), 1);
    ASSERT_EQ(cells.Load(session), 1);
    for (const CodePageInfo& page : KnownCodePages()) {
        SCOPED_TRACE(std::string(page.name));
        UseCodePage(session, cells, page.number);
        const std::string value(cells.CellText(0, 1));
        const std::string heading = ColumnHeading(session.fieldTable[1], session.columns.text);
        EXPECT_TRUE(IsValidUtf8(value) && IsValidUtf8(heading));
        EXPECT_EQ(CutToCharacters(value, kCellTextMax), value) << "at most 127 characters";
        EXPECT_EQ(cells.CellText(0, 2), value) << "a varchar reads as a character field";
        const codepages::ByteTable* table = codepages::FindByteTable(page.number);
        if (page.number != kUtf8 && (table == nullptr || table->rowCount == 1)) {
            EXPECT_EQ(CharacterCount(value), kCellTextMax) << "one character a byte";
        }
    }
    struct Known {
        int page;
        std::string stored;
        std::string shown;
    };
    const std::string replacement = "\xEF\xBF\xBD";
    for (const Known& known : std::vector<Known>{
             {kGermanDosRule, Bytes({0x81, 0xE1, 0x8E, 0x82}), "üßÄ‚"},
             {1252, Bytes({0x81, 0xE1, 0x80}), "\xC2\x81á€"},
             {1251, Bytes({0xC0, 0xFF}), "Ая"},
             {866, Bytes({0x80, 0xEF}), "Ая"},
             {1250, Bytes({0xE8, 0xF8}), "čř"},
             {437, Bytes({0x81, 0xE1}), "üß"},
             {850, Bytes({0x9B}), "ø"},
             {852, Bytes({0x9F}), "č"},
             {737, Bytes({0x80}), "Α"},
             {864, Bytes({0x25}), "٪"},
             {874, Bytes({0xA1}), "ก"},
             {1253, Bytes({0xC1}), "Α"},
             {1254, Bytes({0xD0}), "Ğ"},
             {1255, Bytes({0xE0}), "א"},
             {1256, Bytes({0xC7}), "ا"},
             {1257, Bytes({0xE8}), "č"},
             {28595, Bytes({0xB0}), "А"},
             {28605, Bytes({0xA4}), "€"},
             {20866, Bytes({0xC1, 0xE1}), "аА"},
             {21866, Bytes({0xA4}), "є"},
             {10000, Bytes({0x8A}), "ä"},
             {10007, Bytes({0x80}), "А"},
             {10029, Bytes({0x80}), "Ä"},
             {932, Bytes({0x82, 0xA0, 'a'}), "あa"},
             {932, Bytes({'a', 0x82}), "a" + replacement},
             {932, Bytes({0x82, 0x20, 'b'}), replacement + " b"},
             {936, Bytes({0xB1, 0xB1}), "北"},
             {950, Bytes({0xA4, 0xA4}), "中"},
             {949, Bytes({0xB0, 0xA1}), "가"},
             {20932, Bytes({0xA4, 0xA2, 0x8E, 0xB1, 0x8F, 0xB0, 0xA1}), "あｱ丂"},
             {20932, Bytes({0x8F, 0xB0}), replacement},
             {kUtf8, "国语國語😀", "国语國語😀"},
             // Runs of ASCII between the characters beyond it, and a NUL that ends the text.
             {kUtf8, "Gasse 12345678 北京市 Nr. 7" + std::string(1, '\0') + "danach 12345678",
              "Gasse 12345678 北京市 Nr. 7"},
             {936, "Nr. 12345678 " + Bytes({0xB1, 0xB1}) + "abc" + std::string(1, '\0') + "x",
              "Nr. 12345678 北abc"},
             {kUtf8, Bytes({0xFF, 'a', 0xE5, 0x9B}), replacement + "a" + replacement},
             // Overlong, a surrogate: each byte that begins no character is one U+FFFD.
             {kUtf8, Bytes({0xC0, 0xAF, 0xED, 0xA0, 0x80}),
              replacement + replacement + replacement + replacement + replacement},
         }) {
        EXPECT_EQ(
            FormatCellText('C', known.stored, ValueDialect::DBase, CharacterDecoder(known.page)),
            known.shown)
            << known.page;
    }
    // A cell shows 127 characters, whatever bytes they take.
    std::string wide;
    for (int i = 0; i < 200; ++i) {
        wide += Bytes({0x82, 0xA0});
    }
    EXPECT_EQ(CharacterCount(FormatCellText('C', wide, ValueDialect::DBase, CharacterDecoder(932))),
              kCellTextMax);
}

}  // namespace
}  // namespace tessaro
