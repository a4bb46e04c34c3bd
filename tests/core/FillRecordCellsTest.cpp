// The cells of a table, as tessaro-dump fills them record by record and as the viewer makes
// them from the records it read: every case checks that both give the same.

#include "builder/TableBuilder.h"
#include "support/CellGrid.h"
#include "support/CoreFixture.h"
#include "table/FillRecordCells.h"
#include "table/ReadTableHeader.h"
#include "table/RecordCells.h"

namespace tessaro {
namespace {

using test::Bytes;
using test::TableBuilder;
using test::WriteFile;

class FillRecordCellsTest : public test::CoreFixture {
protected:
    // Reads the header and fills the cells as a load does.
    std::int16_t Load(const TableBuilder& table) {
        table.WriteTo(dir.File("t.dbf"));
        return LoadFile();
    }
    std::int16_t LoadFile() {
        session.tableInfo.FileName = dir.File("t.dbf");
        if (ReadTableHeader(session, session.tableInfo.FileName, nullptr) == 0) {
            return -1;
        }
        cells.Reset(session.tableInfo.RecordCount, session.columns.ColumnCount());
        const std::int16_t result = FillRecordCells(session, cells);
        EXPECT_EQ(session.access.files.OpenCount(), 0);
        EXPECT_EQ(records.Load(session), result);
        EXPECT_EQ(session.access.files.OpenCount(), 0);
        ExpectTheViewerShowsTheSame();
        return result;
    }
    void ExpectTheViewerShowsTheSame() {
        ASSERT_EQ(records.RowCount(), cells.RowCount());
        ASSERT_EQ(records.ColumnCount(), cells.ColumnCount());
        for (std::int32_t row = 0; row < cells.RowCount(); ++row) {
            ASSERT_EQ(records.RowImage(row), cells.RowImage(row)) << row;
            for (int column = 1; column <= cells.ColumnCount(); ++column) {
                ASSERT_EQ(records.CellText(row, column), cells.CellText(row, column))
                    << row << ", " << column;
            }
        }
    }
    std::string Cell(int row, int column) { return std::string(cells.CellText(row, column)); }

    test::CellGrid cells;
    RecordCells records;
};

TEST_F(FillRecordCellsTest, EveryValueOfEveryRecordInFieldOrder) {
    ASSERT_EQ(
        Load(TableBuilder()
                 .Field("NAME", 'C', 8)
                 .Field("PLZ", 'N', 5)
                 .Field("SEIT", 'D', 8)
                 .Field("AKTIV", 'L', 1)
                 .Record({"Meier", "12345", "20240131", "T"})
                 .Record({Bytes({'M', 0x81, 'l', 'l', 'e', 'r'}), "  7", "        ", "F"}, true)
                 .Record({"Schmidt", "", "19991231", "?"})),
        1);
    EXPECT_EQ(Cell(0, 1), "Meier   ");
    EXPECT_EQ(Cell(0, 2), "12345");
    EXPECT_EQ(Cell(0, 3), "31.01.2024");
    EXPECT_EQ(Cell(0, 4), "Ja");
    EXPECT_EQ(Cell(1, 1), "Müller  ") << "a deleted record is shown like any other";
    EXPECT_EQ(Cell(1, 2), "7");
    EXPECT_EQ(Cell(1, 3), "  .  .    ");
    EXPECT_EQ(Cell(2, 4), "Nein");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(FillRecordCellsTest, TheStrideIsOnePlusTheFieldLengthsWhateverTheHeaderSays) {
    ASSERT_EQ(Load(TableBuilder()
                       .Field("A", 'C', 3)
                       .Field("B", 'C', 2)
                       .RecordLength(50)
                       .Record({"abc", "de"})
                       .Record({"fgh", "ij"})
                       .Record({"klm", "no"})),
              1);
    EXPECT_EQ(Cell(2, 1), "klm");
    EXPECT_EQ(Cell(2, 2), "no");
}

TEST_F(FillRecordCellsTest, ACellShowsAtMost127Characters) {
    const std::string umlauts(200, static_cast<char>(0x81));
    ASSERT_EQ(Load(TableBuilder()
                       .Field("LANG", 'C', 200)
                       .Field("UMLAUT", 'C', 200)
                       .Record({std::string(200, 'x'), umlauts})),
              1);
    EXPECT_EQ(Cell(0, 1), std::string(127, 'x'));
    std::string expected;
    for (int i = 0; i < 127; ++i) {
        expected += "ü";
    }
    EXPECT_EQ(Cell(0, 2), expected) << "127 characters, not 127 bytes";
}

TEST_F(FillRecordCellsTest, AValueEndsAtItsFirstNul) {
    ASSERT_EQ(Load(TableBuilder()
                       .Field("C", 'C', 6)
                       .Field("N", 'N', 4)
                       .RawRecord(std::string("ab\0\0\0\0", 6) + std::string("\0 12", 4))),
              1);
    EXPECT_EQ(Cell(0, 1), "ab");
    EXPECT_EQ(Cell(0, 2), "");
}

TEST_F(FillRecordCellsTest, CharacterFieldsBeyond255BytesInEveryLevelAndFamily) {
    // FoxPro 2, Visual FoxPro, dBASE 7 and a table of Clipper: the decimals of a C field are
    // the high byte of its length, and every later field and record lies behind it.
    for (const std::uint8_t version : {0xF5, 0x30, 0x04, 0x03}) {
        SCOPED_TRACE(int{version});
        const std::string note = "Anfang" + std::string(290, '-') + "Ende";
        ASSERT_EQ(Load(TableBuilder(version)
                           .Field("NOTE", 'C', 44, 1)
                           .Field("SEIT", 'D', 8)
                           .Field("LANG", 'C', 16, 4)
                           .Field("KURZ", 'C', 0, 1)
                           .Field("BETRAG", 'N', 6, 2)
                           .Record({note, "20240131", std::string(1040, 'y'), "", " 12.50"})
                           .Record({"zwei", "19991231", "z", std::string(256, 'k'), "-3.00"})),
                  1);
        EXPECT_EQ(Cell(0, 1), note.substr(0, 127));
        EXPECT_EQ(Cell(0, 2), "31.01.2024");
        EXPECT_EQ(Cell(0, 3), std::string(127, 'y'));
        EXPECT_EQ(Cell(0, 4), std::string(127, ' '));
        EXPECT_EQ(Cell(0, 5), "12.50");
        EXPECT_EQ(Cell(1, 1), "zwei" + std::string(123, ' '));
        EXPECT_EQ(Cell(1, 2), "31.12.1999");
        EXPECT_EQ(Cell(1, 4), std::string(127, 'k'));
        EXPECT_EQ(Cell(1, 5), "-3.00");
    }
    // The longest there is: a record's shown bytes beyond what 16 bits count.
    TableBuilder longest;
    longest.Field("RIESIG", 'C', 255, 255).Field("NACH", 'C', 4);
    longest.Record({std::string(65535, 'r'), "ende"});
    std::string cut = longest.Bytes();
    cut.resize(cut.size() - 1 - 2);  // the end marker and half of "ende"
    WriteFile(dir.File("t.dbf"), cut);
    ASSERT_EQ(LoadFile(), 1);
    EXPECT_EQ(session.tableInfo.RecordStride(), 1 + 65535 + 4);
    EXPECT_EQ(Cell(0, 1), std::string(127, 'r'));
    EXPECT_EQ(Cell(0, 2), "en") << "what the file holds of the last field";
}

TEST_F(FillRecordCellsTest, RowsWithAMemoGetTheMemoImage) {
    ASSERT_EQ(Load(TableBuilder()
                       .Field("NAME", 'C', 4)
                       .Field("M1", 'M', 10)
                       .Field("M2", 'M', 10)
                       .Record({"a", "", ""})
                       .Record({"b", "        17", ""})
                       .Record({"c", "", "         3"})
                       .Record({"d", "          ", "          "})),
              1);
    EXPECT_EQ(cells.RowImage(0), kRowImage);
    EXPECT_EQ(cells.RowImage(1), kMemoRowImage);
    EXPECT_EQ(Cell(1, 2), "Block: 17");
    EXPECT_EQ(cells.RowImage(2), kMemoRowImage);
    EXPECT_EQ(Cell(2, 3), "Block: 3");
    EXPECT_EQ(cells.RowImage(3), kRowImage);
    EXPECT_EQ(Cell(3, 2), "");
}

TEST_F(FillRecordCellsTest, NoRecordsMeansNoCells) {
    for (const std::int32_t count : {0, -5}) {
        ASSERT_EQ(Load(TableBuilder().Field("A", 'C', 3).Record({"abc"}).RecordCount(count)), 1);
        EXPECT_EQ(cells.RowCount(), 0);
    }
}

TEST_F(FillRecordCellsTest, ATableCutOffInsideItsLastRecord) {
    TableBuilder table;
    table.Field("NAME", 'C', 5).Field("WERT", 'I', 4).Field("DA", 'L', 1);
    table.Record({"erste", test::BigEndian32(0x80000001u), "T"});
    table.Record({"zweit", test::BigEndian32(0x80000002u), "T"}).WithoutEndMarker();
    std::string bytes = table.Bytes();
    bytes.resize(bytes.size() - 3);  // the second record loses "T" and two integer bytes
    WriteFile(dir.File("t.dbf"), bytes);
    ASSERT_EQ(LoadFile(), 1);
    EXPECT_EQ(Cell(0, 2), " 1");
    EXPECT_EQ(Cell(1, 1), "zweit");
    EXPECT_EQ(Cell(1, 2), "") << "an integer shorter than 4 bytes shows nothing";
    EXPECT_EQ(Cell(1, 3), "Nein");
}

TEST_F(FillRecordCellsTest, RecordsBeyondTheEndOfTheFileShowEmptyValues) {
    ASSERT_EQ(Load(TableBuilder()
                       .Field("A", 'C', 3)
                       .Field("B", 'L', 1)
                       .Field("C", 'B', 10)
                       .Record({"abc", "T", ""})
                       .RecordCount(1000)),
              1);
    EXPECT_EQ(cells.RowCount(), 1000);
    EXPECT_EQ(Cell(0, 1), "abc");
    EXPECT_EQ(Cell(999, 1), "");
    EXPECT_EQ(Cell(999, 2), "Nein");
    EXPECT_EQ(Cell(999, 3), "???");
}

TEST_F(FillRecordCellsTest, All65536RecordsAreShown) {
    TableBuilder table;
    table.Field("NR", 'N', 6);
    for (int i = 1; i <= 65536; ++i) {
        table.Record({std::to_string(i)});
    }
    ASSERT_EQ(Load(table), 1);
    ASSERT_EQ(cells.RowCount(), 65536);
    EXPECT_EQ(Cell(0, 1), "1");
    EXPECT_EQ(Cell(32767, 1), "32768");
    EXPECT_EQ(Cell(65535, 1), "65536");
}

TEST_F(FillRecordCellsTest, FieldsBeyond128StillMakeUpEachRecord) {
    TableBuilder table;
    for (int i = 1; i <= 130; ++i) {
        table.Field(std::string("F").append(std::to_string(i)), 'C', 2);
    }
    std::vector<std::string> first(130, "aa");
    std::vector<std::string> second(130, "bb");
    second[0] = "b1";
    table.Record(first).Record(second);
    ASSERT_EQ(Load(table), 1);
    EXPECT_EQ(cells.ColumnCount(), 128);
    EXPECT_EQ(Cell(1, 1), "b1");
    EXPECT_EQ(Cell(1, 128), "bb");
}

TEST_F(FillRecordCellsTest, FieldsBeyond128AreNotReadAtAll) {
    // 128 shown fields of one byte, then 40 of 255 bytes that are never shown: a table of
    // 2040 such fields is 34 GB, and reading all of it took most of a minute.
    TableBuilder table;
    for (int i = 1; i <= 168; ++i) {
        table.Field(std::string("F").append(std::to_string(i)), 'C', i <= 128 ? 1 : 255);
    }
    constexpr int kRecords = 60;
    for (int r = 0; r < kRecords; ++r) {
        std::vector<std::string> values(168, std::string(255, 'z'));
        for (int f = 0; f < 128; ++f) {
            values[static_cast<std::size_t>(f)] =
                std::string(1, static_cast<char>('a' + (r + f) % 26));
        }
        table.Record(values);
    }
    std::string bytes = table.Bytes();
    bytes.resize(bytes.size() - 1 - 40 * 255 + 100);  // the last record is cut short
    WriteFile(dir.File("t.dbf"), bytes);
    session.tableInfo.FileName = dir.File("t.dbf");
    ASSERT_EQ(ReadTableHeader(session, session.tableInfo.FileName, nullptr), 1);
    cells.Reset(session.tableInfo.RecordCount, session.columns.ColumnCount());
    std::int64_t before = session.access.files.BytesFromSystem();
    ASSERT_EQ(FillRecordCells(session, cells), 1);
    EXPECT_EQ(session.access.files.BytesFromSystem() - before, kRecords * 128)
        << "the shown part of each record, nothing between";
    before = session.access.files.BytesFromSystem();
    ASSERT_EQ(records.Load(session), 1);
    EXPECT_EQ(session.access.files.BytesFromSystem() - before, kRecords * 128);
    ExpectTheViewerShowsTheSame();
    for (const int r : {0, 1, 37, kRecords - 1}) {
        EXPECT_EQ(Cell(r, 1), std::string(1, static_cast<char>('a' + r % 26))) << r;
        EXPECT_EQ(Cell(r, 128), std::string(1, static_cast<char>('a' + (r + 127) % 26))) << r;
    }
}

TEST_F(FillRecordCellsTest, FoxProTablesKeepIntegersAndMemoReferencesInBinary) {
    ASSERT_EQ(Load(TableBuilder(0x30)
                       .Field("ZAHL", 'I', 4)
                       .Field("NOTIZ", 'M', 4)
                       .RawRecord(Bytes({0x01, 0, 0, 0, 0x07, 0, 0, 0}))
                       .RawRecord(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}))),
              1);
    EXPECT_EQ(Cell(0, 1), " 1");
    EXPECT_EQ(Cell(0, 2), "Block: 7");
    EXPECT_EQ(cells.RowImage(0), kMemoRowImage);
    EXPECT_EQ(Cell(1, 1), "-1");
    EXPECT_EQ(Cell(1, 2), "");
    EXPECT_EQ(cells.RowImage(1), kRowImage);
    // The same bytes in a table of dBASE 7 follow its rules.
    ASSERT_EQ(Load(TableBuilder(0x04).Field("ZAHL", 'I', 4).RawRecord(Bytes({0x01, 0, 0, 0}))), 1);
    EXPECT_EQ(Cell(0, 1), "-2130706432");
}

TEST_F(FillRecordCellsTest, VisualFoxProNullValuesVarcharsAndHiddenSystemFields) {
    constexpr std::uint8_t kNullable = 0x02;
    constexpr std::uint8_t kSystem = 0x01;
    const auto build = [&](std::uint8_t version) {
        TableBuilder table(version);
        // Bits of _NullFlags: NAME null 0, KURZ length 1 and null 2, BETRAG null 3, NOTIZ
        // null 4.
        table.Field("NAME", 'C', 6, 0, kNullable)
            .Field("KURZ", 'V', 6, 0, kNullable)
            .Field("BETRAG", 'Y', 8, 4, kNullable)
            .Field("NOTIZ", 'M', 4, 0, kNullable)
            .Field("_NullFlags", '0', 1, 0, kSystem | 0x04);
        const std::string money = Bytes({0x20, 0xBF, 0x02, 0, 0, 0, 0, 0});  // 18.0000
        const std::string block7 = Bytes({7, 0, 0, 0});
        table.RawRecord("Meier " + std::string("ab\0\0\0\x02", 6) + money + block7 + "\x02")
            .RawRecord("Huber abcdef" + money + block7 + "\x19")
            .RawRecord("Lang  abcde\x09" + money + block7 + "\x02");
        return table;
    };
    ASSERT_EQ(Load(build(0x30)), 1);
    ASSERT_EQ(cells.ColumnCount(), 4) << "the NULL flags get no column";
    EXPECT_EQ(Cell(0, 1), "Meier ");
    EXPECT_EQ(Cell(0, 2), "ab") << "as long as its last byte says";
    EXPECT_EQ(Cell(0, 3), " 18");
    EXPECT_EQ(Cell(0, 4), "Block: 7");
    EXPECT_EQ(cells.RowImage(0), kMemoRowImage);
    EXPECT_EQ(Cell(1, 1), "") << "NULL";
    EXPECT_EQ(Cell(1, 2), "abcdef") << "without its length bit the whole field";
    EXPECT_EQ(Cell(1, 3), "");
    EXPECT_EQ(Cell(1, 4), "") << "a NULL memo is no memo";
    EXPECT_EQ(cells.RowImage(1), kRowImage);
    EXPECT_EQ(Cell(2, 2), "abcde") << "never longer than the field less its length byte";
    // The same bytes in a FoxPro 2.x or dBASE table: no flags, every field a column.
    for (const std::uint8_t version : {0xF5, 0x03}) {
        ASSERT_EQ(Load(build(version)), 1);
        ASSERT_EQ(cells.ColumnCount(), 5) << int{version};
        EXPECT_EQ(Cell(1, 1), "Huber ");
        EXPECT_EQ(Cell(0, 5), "???");
    }
}

TEST_F(FillRecordCellsTest, AHeaderLengthAbove32767IsReadUnsigned) {
    TableBuilder table;
    table.Field("A", 'C', 3).HeaderLength(0x8000).WithoutEndMarker();
    std::string bytes = table.Bytes();
    bytes.resize(0x8000, '\0');
    bytes += " abc xyz";
    WriteFile(dir.File("t.dbf"), bytes);
    // The header says 0 records; make it 2.
    bytes[4] = 2;
    WriteFile(dir.File("t.dbf"), bytes);
    ASSERT_EQ(LoadFile(), 1);
    EXPECT_EQ(Cell(0, 1), "abc");
    EXPECT_EQ(Cell(1, 1), "xyz");
}

TEST_F(FillRecordCellsTest, ATableThatCannotBeOpenedLeavesTheCellsAlone) {
    TableBuilder().Field("A", 'C', 3).Record({"abc"}).WriteTo(dir.File("t.dbf"));
    session.tableInfo.FileName = dir.File("t.dbf");
    ASSERT_EQ(ReadTableHeader(session, session.tableInfo.FileName, nullptr), 1);
    cells.Reset(1, 1);
    cells.SetCellText(0, 1, "vorher");
    ASSERT_NE(session.access.files.TryOpen(dir.File("t.dbf"), OpenMode::Binary).number, 0);
    EXPECT_EQ(FillRecordCells(session, cells), 0);
    EXPECT_EQ(Cell(0, 1), "vorher");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Zugriffskonflikt !");

    ShowLockedWhileReading(session, nullptr);
    EXPECT_EQ(desktop.boxes[1].text,
              "Die Datei " + dir.File("t.dbf") + "\r\nwurde während des lesens gesperrt.");
    EXPECT_EQ(desktop.boxes[1].caption, "Tessaro Programminfo");
    EXPECT_EQ(desktop.boxes[1].style, BoxButtons::Ok | BoxIcon::Stop);
}

}  // namespace
}  // namespace tessaro
