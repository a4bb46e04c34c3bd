// Damaged tables and memo files, case after case: each must end in a German message, empty
// cells or an empty text file, within a memory that follows the file's size, and must leave
// the table and its memo file exactly as they were.

#include <algorithm>
#include <climits>
#include <filesystem>
#include <optional>

#include "builder/TableBuilder.h"
#include "fileio/FileSystem.h"
#include "support/CellGrid.h"
#include "support/CoreFixture.h"
#include "table/FieldValue.h"
#include "table/FillRecordCells.h"
#include "table/ReadTableHeader.h"
#include "table/RecordCells.h"
#include "table/ShowMemoField.h"
#include "table/TextConversion.h"

namespace tessaro {
namespace {

using test::BigEndian32;
using test::Bytes;
using test::LittleEndian32;
using test::MemoBuilder;
using test::ReadFile;
using test::TableBuilder;
using test::WriteFile;

const std::string kInvalidHeader = "Dateikopf enthält folgende Fehler : \rUngültiger Header";

// Every box a damaged table may bring up; anything else (an error box about the file, a
// retry box) would mean the damage was taken for something it is not.
bool IsExpectedBox(const std::string& text) {
    for (const char* start :
         {"Dateikopf enthält folgende Fehler : \r", "Datei enthält: ", "Die Tabelle hat ",
          "In Datei kopieren und anzeigen ?", "Die Memodatei "}) {
        if (text.starts_with(start)) {
            return true;
        }
    }
    return false;
}

// A text of the German DOS rule in UTF-8: its umlauts converted, then Windows-1252.
std::string DosText(std::string_view stored) {
    std::string converted;
    for (const char c : stored) {
        converted += ConvertUmlaut(c);
    }
    return Windows1252ToUtf8(converted);
}

// What a value shows when the file holds none of its bytes.
std::string TextWithoutBytes(char type) {
    switch (type) {
        case 'D': return "..";
        case 'L': return "Nein";
        case 'C':
        case 'N':
        case 'F':
        case 'M':
        case 'I':
        case '+':
        case 'O':
        case '@': return "";
        default: return "???";
    }
}

// The records held are no more than the file (and the rest of a record it cuts short), and
// two bytes a record for their lengths: a record count beyond the file costs nothing.
std::size_t MemoryAllowed(std::int64_t rows, std::size_t fileSize) {
    return (std::size_t{1} << 20) + static_cast<std::size_t>(2 * rows) + fileSize;
}

// What opening a table came to.
struct Outcome {
    std::int16_t accepted = 0;
    std::vector<std::string> boxes;
    // The text file after showing the memo of each of the first rows with a memo image;
    // none when no text file was made.
    std::vector<std::optional<std::string>> memoTexts;
};

class DamagedFilesTest : public test::CoreFixture {
protected:
    std::string tablePath() const { return dir.File("KUNDEN.DBF"); }
    std::string memoPath() const { return dir.File("KUNDEN.dbt"); }
    std::string textPath() const { return dir.File("KUNDEN.tmp"); }

    // Writes the files, loads the table as the viewer does and shows the memos of the first
    // rows that have one, answering Yes; then checks what must hold whatever the damage.
    Outcome Open(const std::string& table, const std::optional<std::string>& memo = std::nullopt) {
        WriteFile(tablePath(), table);
        if (memo) {
            WriteFile(memoPath(), *memo);
        } else {
            RemoveFile(memoPath());
        }
        RemoveFile(textPath());
        return OpenWritten(table.size());
    }

    Outcome OpenWritten(std::size_t tableSize) {
        const test::FolderSnapshot snapshot(dir.Path());
        desktop.boxes.clear();
        desktop.answers.clear();
        waits = 0;
        Outcome outcome;
        session.tableInfo.FileName = tablePath();
        outcome.accepted = ReadTableHeader(session, tablePath(), nullptr);
        if (outcome.accepted == 1) {
            EXPECT_EQ(cells.Load(session), 1);
            EXPECT_LE(cells.MemoryBytes(), MemoryAllowed(cells.RowCount(), tableSize))
                << cells.RowCount() << " rows, " << cells.ColumnCount() << " columns";
            for (std::int32_t row = 0; row < cells.RowCount() && outcome.memoTexts.size() < 3;
                 ++row) {
                if (cells.RowImage(row) != kMemoRowImage) {
                    continue;
                }
                RemoveFile(textPath());
                desktop.answers = {BoxAnswer::Yes};
                ShowMemoField(session, nullptr, &cells, row);
                outcome.memoTexts.push_back(FileExists(textPath())
                                                ? std::optional(test::ReadMemoText(textPath()))
                                                : std::nullopt);
            }
        }
        for (const test::ShownBox& box : desktop.boxes) {
            outcome.boxes.push_back(box.text);
            EXPECT_TRUE(IsExpectedBox(box.text)) << box.text;
        }
        EXPECT_EQ(session.access.files.OpenCount(), 0) << "every file is closed again";
        EXPECT_EQ(waits, 0) << "a damaged file is no locked file";
        EXPECT_EQ(snapshot.Differences(".tmp"), "") << "table and memo file stay as they were";
        return outcome;
    }

    std::string Cell(std::int32_t row, int column) const {
        return std::string(cells.CellText(row, column));
    }

    RecordCells cells;
};

// A level 5 and a level 7 table of two records, each with a memo, and their memo file.
struct SampleTable {
    std::string bytes;
    std::size_t firstDescriptor, descriptorSize, fieldCount, headerLength, stride;
};

SampleTable Level5Sample() {
    TableBuilder table(0x83);
    table.Field("NAME", 'C', 8)
        .Field("BETRAG", 'N', 6, 2)
        .Field("SEIT", 'D', 8)
        .Field("NOTIZ", 'M', 10);
    table.Record({"Meier", "  1.50", "20240131", "         1"});
    table.Record({"Schulz", "     2", "19991231", "         2"});
    return {table.Bytes(), 32, 32, 4, table.NaturalHeaderLength(), 1 + 8 + 6 + 8 + 10};
}

SampleTable Level7Sample() {
    TableBuilder table(0x04);
    table.Field("ZAHL", 'I', 4).Field("NOTIZ", 'M', 10).Field("WERT", 'O', 8).Field("ZEIT", '@', 8);
    table.Record({BigEndian32(0x8000002Au), "         1",
                  Bytes({0xC0, 0x45, 0xD3, 0x33, 0x33, 0x33, 0x33, 0x33}),
                  Bytes({0x42, 0xCB, 0x40, 0x62, 0xAA, 0x88, 0x00, 0x00})});
    table.Record(
        {BigEndian32(0x7FFFFFFFu), "         2", std::string(8, '\0'), std::string(8, '\0')});
    return {table.Bytes(), 68, 48, 4, table.NaturalHeaderLength(), 1 + 4 + 10 + 8 + 8};
}

std::string SampleMemo() {
    return MemoBuilder(512).Memo(1, "Memo eins").Memo(2, "Memo zwei").Bytes();
}

TEST_F(DamagedFilesTest, ATableCutAtEveryOffset) {
    for (const SampleTable& sample : {Level5Sample(), Level7Sample()}) {
        // What the whole table shows, to compare the records that survive a cut.
        const Outcome whole = Open(sample.bytes, SampleMemo());
        ASSERT_EQ(whole.accepted, 1);
        ASSERT_EQ(whole.memoTexts,
                  (std::vector<std::optional<std::string>>{"Memo eins\r\n", "Memo zwei\r\n"}));
        std::vector<std::vector<std::string>> wholeCells(2);
        for (int row = 0; row < 2; ++row) {
            for (int column = 1; column <= 4; ++column) {
                wholeCells[static_cast<std::size_t>(row)].push_back(Cell(row, column));
            }
        }

        for (std::size_t cut = 0; cut < sample.bytes.size(); ++cut) {
            SCOPED_TRACE("level " + std::string(sample.firstDescriptor == 32 ? "5" : "7") +
                         ", cut at " + std::to_string(cut));
            const Outcome outcome = Open(sample.bytes.substr(0, cut), SampleMemo());
            if (cut < sample.headerLength) {
                EXPECT_EQ(outcome.accepted, 0) << "a file that ends inside its header has none";
                EXPECT_EQ(outcome.boxes, std::vector<std::string>{kInvalidHeader});
                continue;
            }
            ASSERT_EQ(outcome.accepted, 1);
            const auto fields = static_cast<int>(sample.fieldCount);
            EXPECT_EQ(session.tableInfo.FieldCount, fields);
            ASSERT_EQ(cells.RowCount(), 2);
            for (int row = 0; row < 2; ++row) {
                const std::size_t valuesFrom =
                    sample.headerLength + static_cast<std::size_t>(row) * sample.stride + 1;
                for (int column = 1; column <= fields; ++column) {
                    if (valuesFrom + sample.stride - 1 <= cut) {
                        EXPECT_EQ(Cell(row, column),
                                  wholeCells[static_cast<std::size_t>(row)]
                                            [static_cast<std::size_t>(column - 1)]);
                    } else if (valuesFrom >= cut) {
                        EXPECT_EQ(Cell(row, column),
                                  TextWithoutBytes(session.fieldTable[column].FieldType))
                            << "a record beyond the end has no values";
                    }
                }
            }
            for (const std::optional<std::string>& text : outcome.memoTexts) {
                EXPECT_TRUE(text == "Memo eins\r\n" || text == "Memo zwei\r\n")
                    << text.value_or("(keine Datei)");
            }
        }
    }
}

TEST_F(DamagedFilesTest, HeaderLengthsFromZeroTo0xFFFF) {
    for (const SampleTable& sample : {Level5Sample(), Level7Sample()}) {
        for (const unsigned headerLength :
             {0u,   1u,   11u,  12u,     31u,     32u,     33u,     63u,    64u,  65u,
              96u,  97u,  98u,  115u,    116u,    117u,    160u,    161u,   162u, 163u,
              260u, 261u, 262u, 0x7FFFu, 0x8000u, 0x8001u, 0xFFFEu, 0xFFFFu}) {
            SCOPED_TRACE("header length " + std::to_string(headerLength));
            std::string bytes = sample.bytes;
            bytes.replace(8, 2, LittleEndian32(headerLength).substr(0, 2));
            const Outcome outcome = Open(bytes, SampleMemo());
            if (headerLength == 0 || headerLength > bytes.size()) {
                EXPECT_EQ(outcome.accepted, 0) << "no header, or one the file cuts short";
                EXPECT_EQ(outcome.boxes, std::vector<std::string>{kInvalidHeader});
                continue;
            }
            ASSERT_EQ(outcome.accepted, 1);
            EXPECT_EQ(session.tableInfo.HeaderBytes(), headerLength);
            // The fields are the whole descriptors inside the stated header, up to the terminator.
            const std::size_t wholeDescriptors =
                headerLength > sample.firstDescriptor
                    ? (headerLength - sample.firstDescriptor) / sample.descriptorSize
                    : 0;
            EXPECT_EQ(session.tableInfo.FieldCount,
                      static_cast<int>(std::min(sample.fieldCount, wholeDescriptors)));
            EXPECT_EQ(cells.RowCount(), 2);
            if (headerLength == bytes.size()) {
                EXPECT_EQ(Cell(0, 1), "") << "the records lie beyond the end";
                EXPECT_TRUE(outcome.memoTexts.empty());
            }
        }
    }
}

TEST_F(DamagedFilesTest, RecordLengthsDoNotMatter) {
    const SampleTable sample = Level5Sample();
    for (const unsigned recordLength : {0u, 1u, 2u, 32u, 33u, 34u, 0x7FFFu, 0x8000u, 0xFFFFu}) {
        SCOPED_TRACE("record length " + std::to_string(recordLength));
        std::string bytes = sample.bytes;
        bytes.replace(10, 2, LittleEndian32(recordLength).substr(0, 2));
        const Outcome outcome = Open(bytes, SampleMemo());
        if (recordLength == 0) {
            EXPECT_EQ(outcome.accepted, 0);
            EXPECT_EQ(outcome.boxes,
                      std::vector<std::string>{
                          "Dateikopf enthält folgende Fehler : \r - Ungültige Feldanzahl"});
            continue;
        }
        ASSERT_EQ(outcome.accepted, 1);
        EXPECT_EQ(Cell(1, 1), "Schulz  ") << "the stride comes from the field lengths";
        EXPECT_EQ(Cell(1, 3), "31.12.1999");
        EXPECT_EQ(outcome.memoTexts,
                  (std::vector<std::optional<std::string>>{"Memo eins\r\n", "Memo zwei\r\n"}));
    }
}

TEST_F(DamagedFilesTest, RecordCountsNegativeHugeAndBeyondTheFile) {
    const SampleTable sample = Level5Sample();
    for (const std::int64_t count :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{2}, std::int64_t{3}, std::int64_t{1000},
          std::int64_t{32768}, std::int64_t{65535}, std::int64_t{65536}, std::int64_t{65537},
          std::int64_t{100000}, std::int64_t{INT32_MAX}, std::int64_t{-1}, std::int64_t{-2},
          std::int64_t{-65536}, std::int64_t{-65537}, std::int64_t{INT32_MIN}}) {
        SCOPED_TRACE("record count " + std::to_string(count));
        std::string bytes = sample.bytes;
        bytes.replace(4, 4, LittleEndian32(static_cast<std::uint32_t>(count)));
        const Outcome outcome = Open(bytes, SampleMemo());
        if (count > 65536) {
            EXPECT_EQ(outcome.accepted, 0);
            EXPECT_EQ(outcome.boxes, std::vector<std::string>{
                                         "Datei enthält: " + std::to_string(count) +
                                         " Records.\rViewer kann maximal 65536 Records anzeigen"});
            continue;
        }
        ASSERT_EQ(outcome.accepted, 1);
        for (const std::string& box : outcome.boxes) {
            EXPECT_EQ(box, "In Datei kopieren und anzeigen ?");
        }
        if (count <= 0) {
            EXPECT_EQ(cells.RowCount(), 0);
            continue;
        }
        ASSERT_EQ(cells.RowCount(), count);
        EXPECT_EQ(Cell(0, 1), "Meier   ");
        if (count >= 2) {
            EXPECT_EQ(Cell(1, 1), "Schulz  ");
            EXPECT_EQ(outcome.memoTexts,
                      (std::vector<std::optional<std::string>>{"Memo eins\r\n", "Memo zwei\r\n"}));
        }
        const auto last = static_cast<std::int32_t>(count - 1);
        if (last >= 3) {
            // The end marker is the only byte of record 3; every later one has no bytes.
            EXPECT_EQ(Cell(last, 1), "");
            EXPECT_EQ(Cell(last, 2), "");
            EXPECT_EQ(Cell(last, 3), "..");
            EXPECT_EQ(Cell(last, 4), "");
            EXPECT_EQ(cells.RowImage(last), kRowImage);
        }
    }
}

TEST_F(DamagedFilesTest, FieldLengthsOf0And255OfEveryType) {
    const std::string types = "CNFDLMI+O@BG?";
    for (const std::uint8_t version : {std::uint8_t{0x03}, std::uint8_t{0x04}}) {
        TableBuilder table(version);
        std::vector<std::string> values;
        for (const char type : types) {
            table.Field(std::string("N0") + type, type, 0);
            values.push_back("");
            table.Field(std::string("L") + type, type, 255);
            std::string value(255, 'A');
            if (type == 'M') {
                value = std::string(254, ' ') + "1";
            } else if (type == 'D') {
                value = "202412" + std::string(247, 'x') + "31";
            } else if (type == '@') {
                value.replace(247, 8, Bytes({0x42, 0xCB, 0x40, 0x62, 0xAA, 0x88, 0x00, 0x00}));
            }
            values.push_back(value);
        }
        table.Record(values);
        SCOPED_TRACE("version " + std::to_string(version));
        const Outcome outcome = Open(table.Bytes(), SampleMemo());
        ASSERT_EQ(outcome.accepted, 1);
        ASSERT_EQ(session.tableInfo.FieldCount, static_cast<int>(2 * types.size()));
        for (std::size_t i = 0; i < types.size(); ++i) {
            const char type = types[i];
            const std::string empty = Cell(0, static_cast<int>(2 * i + 1));
            const std::string full = Cell(0, static_cast<int>(2 * i + 2));
            SCOPED_TRACE(std::string("type ") + type);
            EXPECT_EQ(empty, TextWithoutBytes(type));
            EXPECT_EQ(CutToCharacters(full, kCellTextMax), full) << "at most 127 characters";
        }
        EXPECT_EQ(Cell(0, 2), std::string(127, 'A'));
        EXPECT_EQ(Cell(0, 8), "31.12.2024")
            << "a date of 255 bytes: the last two, 5 and 6, the first four";
        EXPECT_EQ(Cell(0, 12), "Block: 1");
        EXPECT_EQ(Cell(0, 20), "01-01-1900  00:00:00") << "a timestamp takes the last 8 bytes";
        EXPECT_EQ(outcome.memoTexts, std::vector<std::optional<std::string>>{"Memo eins\r\n"});
    }
}

TEST_F(DamagedFilesTest, MoreThan128AndMoreThan1024Descriptors) {
    // 2046 descriptors of level 5 and 1363 of level 7 fill a header of nearly 0xFFFF bytes;
    // at 255 bytes a field, one record is half a megabyte.
    struct Case {
        std::uint8_t version;
        int descriptors;
        bool terminator;
    };
    for (const Case& c : {Case{0x03, 129, true}, Case{0x03, 1025, true}, Case{0x03, 1025, false},
                          Case{0x03, 2046, true}, Case{0x04, 129, true}, Case{0x04, 1025, false},
                          Case{0x04, 1363, true}}) {
        SCOPED_TRACE(std::to_string(c.descriptors) + " descriptors, version " +
                     std::to_string(c.version));
        TableBuilder table(c.version);
        for (int i = 1; i <= c.descriptors; ++i) {
            table.Field(std::string("F").append(std::to_string(i)), i == c.descriptors ? 'M' : 'C',
                        255);
        }
        if (!c.terminator) {
            table.WithoutTerminator();
        }
        std::vector<std::string> first(static_cast<std::size_t>(c.descriptors), "erster");
        std::vector<std::string> second(static_cast<std::size_t>(c.descriptors), "zweiter");
        first.back() = std::string(254, ' ') + "1";
        table.Record(first).Record(second);
        const Outcome outcome = Open(table.Bytes(), SampleMemo());
        ASSERT_EQ(outcome.accepted, 1);
        EXPECT_EQ(outcome.boxes, std::vector<std::string>{
                                     "Die Tabelle hat " + std::to_string(c.descriptors) +
                                     " Felder.\rAngezeigt werden nur die ersten 128 Felder."});
        EXPECT_EQ(session.tableInfo.DescriptorCount, c.descriptors)
            << "the records are not taken for fields";
        EXPECT_EQ(session.tableInfo.FieldCount, 128);
        EXPECT_EQ(session.tableInfo.MemoFieldCount, 0) << "the memo field is not among those shown";
        EXPECT_EQ(Cell(0, 128), "erster" + std::string(121, ' '));
        EXPECT_EQ(Cell(1, 1), "zweiter" + std::string(120, ' '))
            << "each record is every field long";
        EXPECT_TRUE(outcome.memoTexts.empty());
    }
}

TEST_F(DamagedFilesTest, FieldsThatTakeNoBytesShowEmptyRows) {
    // Records whose shown fields lie far apart are read one by one, and here each shows
    // nothing: only hidden system fields, or 128 fields of no bytes before 17 long ones.
    TableBuilder hidden(0x30);
    for (int i = 0; i < 17; ++i) {
        hidden.Field(std::string("S").append(std::to_string(i)), 'C', 255, 0, 0x01);
    }
    TableBuilder empty(0x03);
    for (int i = 0; i < 128; ++i) {
        empty.Field(std::string("Z").append(std::to_string(i)), 'C', 0);
    }
    for (int i = 0; i < 17; ++i) {
        empty.Field(std::string("W").append(std::to_string(i)), 'C', 255);
    }
    for (const int records : {0, 3}) {
        for (TableBuilder* table : {&hidden, &empty}) {
            SCOPED_TRACE(std::to_string(records) + " records, " +
                         std::to_string(session.tableInfo.DescriptorCount));
            TableBuilder filled = *table;
            for (int r = 0; r < records; ++r) {
                filled.Record({});
            }
            ASSERT_EQ(Open(filled.Bytes()).accepted, 1);
            EXPECT_EQ(cells.RowCount(), records);
            test::CellGrid grid;
            grid.Reset(session.tableInfo.RecordCount, session.columns.ColumnCount());
            EXPECT_EQ(FillRecordCells(session, grid), 1) << "as tessaro-dump reads it";
            for (std::int32_t row = 0; row < cells.RowCount(); ++row) {
                for (int column = 1; column <= cells.ColumnCount(); ++column) {
                    EXPECT_EQ(Cell(row, column), "");
                    EXPECT_EQ(grid.CellText(row, column), "");
                }
            }
        }
    }
}

TEST_F(DamagedFilesTest, WithoutTerminatorTheHeaderLengthEndsTheFields) {
    TableBuilder table;
    table.Field("A", 'C', 5).Field("B", 'N', 5).WithoutTerminator();
    for (int i = 0; i < 40; ++i) {
        table.Record({"abcde", std::to_string(i)});
    }
    const std::string bytes = table.Bytes();
    for (const unsigned headerLength :
         {96u, 97u, 100u, 128u, 160u, 161u, 300u, 0x7FFFu, 0x8000u, 0xFFFFu}) {
        SCOPED_TRACE("header length " + std::to_string(headerLength));
        std::string damaged = bytes;
        damaged.replace(8, 2, LittleEndian32(headerLength).substr(0, 2));
        const Outcome outcome = Open(damaged);
        if (headerLength > damaged.size()) {
            EXPECT_EQ(outcome.boxes, std::vector<std::string>{kInvalidHeader});
            continue;
        }
        ASSERT_EQ(outcome.accepted, 1);
        // Record bytes inside the stated header are read as descriptors, but never beyond it.
        EXPECT_EQ(session.tableInfo.DescriptorCount,
                  static_cast<std::int32_t>((headerLength - 32) / 32));
        EXPECT_EQ(cells.RowCount(), 40);
    }
}

// The memo matrix: a table whose one record refers to a block, and a memo file.
class DamagedMemoTest : public DamagedFilesTest {
protected:
    // The reference is a memo field 20 wide, so that long numbers fit.
    std::string TableReferringTo(const std::string& blockText) {
        return TableBuilder()
            .Field("NAME", 'C', 10)
            .Field("NOTIZ", 'M', 20)
            .Record({"Kunde", std::string(20 - std::min<std::size_t>(20, blockText.size()), ' ') +
                                  blockText})
            .Bytes();
    }
    static std::string WithBlockLength(std::string memo, unsigned blockLength) {
        memo[20] = static_cast<char>(blockLength & 0xFF);
        memo[21] = static_cast<char>(blockLength >> 8 & 0xFF);
        return memo;
    }
};

TEST_F(DamagedMemoTest, BlockNumbersZeroHugeAndNotNumbers) {
    struct Case {
        const char* block;
        bool copies;  // only block 1 holds the memo
    };
    for (const unsigned blockLength : {512u, 4096u, 0x7FFFu}) {
        const std::string memo =
            MemoBuilder(static_cast<std::uint16_t>(blockLength)).Memo(1, "Memo eins").Bytes();
        for (const Case& c :
             {Case{"1", true}, Case{"01", true}, Case{"1.0", true}, Case{"1abc", true},
              Case{"0", false}, Case{"2", false}, Case{"99999", false}, Case{"9999999999", false},
              Case{"4294967297", false}, Case{"8999999999999999", false},
              Case{"9000000000000001", false},
              // 2^52 + 1 blocks of 4096 bytes: the offset would wrap to block 1.
              Case{"4503599627370497", false}, Case{"1e15", false}, Case{"1e300", false},
              Case{"abc", false}, Case{"-1", false}, Case{"1.5", false}, Case{"inf", false},
              Case{"nan", false}, Case{"0x1", false}, Case{"+1", false}}) {
            SCOPED_TRACE(std::string("block ") + c.block + ", block length " +
                         std::to_string(blockLength));
            const Outcome outcome = Open(TableReferringTo(c.block), memo);
            ASSERT_EQ(outcome.accepted, 1);
            ASSERT_EQ(outcome.memoTexts.size(), 1u);
            EXPECT_EQ(outcome.memoTexts[0], c.copies ? "Memo eins\r\n" : "")
                << "an empty text file";
            EXPECT_EQ(desktop.editorStarts.size(), 1u);
            desktop.editorStarts.clear();
        }
    }
}

TEST_F(DamagedMemoTest, BlockLengthsZeroNegativeAndHuge) {
    // The memo lies at 512 and nothing but zeros around it.
    const std::string memo =
        MemoBuilder(512).Memo(1, "Memo eins").Bytes() + std::string(1000, '\0');
    for (const unsigned blockLength : {0u, 1u, 8u, 31u, 32u, 64u, 256u, 511u, 512u, 513u, 1024u,
                                       0x7FFFu, 0x8000u, 0x8001u, 0x8200u, 0xFFFEu, 0xFFFFu}) {
        for (const std::int64_t block : {0, 1, 2, 65535}) {
            SCOPED_TRACE("block length " + std::to_string(blockLength) + ", block " +
                         std::to_string(block));
            const Outcome outcome =
                Open(TableReferringTo(std::to_string(block)), WithBlockLength(memo, blockLength));
            ASSERT_EQ(outcome.memoTexts.size(), 1u);
            // A block length from 0x8000 up is negative and names no block.
            const bool found = blockLength < 0x8000 && block * blockLength == 512;
            EXPECT_EQ(outcome.memoTexts[0], found ? "Memo eins\r\n" : "");
        }
    }
}

TEST_F(DamagedMemoTest, StoredMemoLengthsNegativeAndFarBeyondTheEnd) {
    // Memo 1's text is followed by memo 2 and the end of the file; what a length names beyond
    // the end is not there to copy.
    for (const std::int64_t stored :
         {std::int64_t{INT32_MIN}, std::int64_t{-100}, std::int64_t{-8}, std::int64_t{-1},
          std::int64_t{0}, std::int64_t{1}, std::int64_t{7}, std::int64_t{8}, std::int64_t{9},
          std::int64_t{17}, std::int64_t{18}, std::int64_t{512}, std::int64_t{520},
          std::int64_t{521}, std::int64_t{1} << 20, std::int64_t{1} << 30,
          std::int64_t{INT32_MAX}}) {
        SCOPED_TRACE("stored length " + std::to_string(stored));
        const std::string memo = MemoBuilder(512)
                                     .Memo(1, "Memo eins", static_cast<std::int32_t>(stored))
                                     .Memo(2, "Memo zwei")
                                     .Bytes();
        const Outcome outcome = Open(TableReferringTo("1"), memo);
        ASSERT_EQ(outcome.memoTexts.size(), 1u);
        ASSERT_TRUE(outcome.memoTexts[0].has_value());
        const std::size_t textFrom = 512 + 8;
        const std::size_t copied = static_cast<std::size_t>(std::clamp<std::int64_t>(
            stored - 8, 0, static_cast<std::int64_t>(memo.size() - textFrom)));
        EXPECT_EQ(*outcome.memoTexts[0], DosText(memo.substr(textFrom, copied)) + "\r\n");
        EXPECT_LE(outcome.memoTexts[0]->size(), 3 * memo.size() + 2)
            << "never more than the memo file holds, in UTF-8";
    }
}

TEST_F(DamagedMemoTest, AMemoFileCutAtEveryOffset) {
    const std::string memo = MemoBuilder(512).Memo(1, "Memo eins").Bytes();
    const std::string table = TableReferringTo("1");
    for (std::size_t size = 0; size <= memo.size(); ++size) {
        SCOPED_TRACE("memo file of " + std::to_string(size) + " bytes");
        const Outcome outcome = Open(table, memo.substr(0, size));
        ASSERT_EQ(outcome.memoTexts.size(), 1u);
        if (size < 32) {
            EXPECT_EQ(outcome.memoTexts[0], std::nullopt)
                << "too short to hold a memo: nothing happens";
            EXPECT_TRUE(desktop.editorStarts.empty());
        } else if (size < 520) {
            EXPECT_EQ(outcome.memoTexts[0], "") << "no whole block header";
        } else {
            EXPECT_EQ(outcome.memoTexts[0], memo.substr(520, size - 520) + "\r\n");
        }
        desktop.editorStarts.clear();
    }
}

TEST_F(DamagedMemoTest, MemoFilesOf31And32BytesOfAnyContent) {
    const std::string signature = Bytes({0xFF, 0xFF, 0x08, 0x00}) + LittleEndian32(0x7FFFFFFF);
    struct Case {
        const char* why;
        std::string bytes;                // 32 of them
        std::optional<std::string> text;  // what a memo file of 32 bytes gives
    };
    std::string blockAtStart = signature + std::string(24, 'x');
    blockAtStart[20] = blockAtStart[21] = '\0';  // block length 0: every block is at 0
    for (const Case& c :
         {Case{"zeros", std::string(32, '\0'), ""},
          Case{"block length 0x0808", std::string(32, '\x08'), ""},
          Case{"block length negative", signature + std::string(24, '\xFF'), ""},
          Case{"a block at the start", blockAtStart, blockAtStart.substr(8) + "\r\n"}}) {
        for (const std::size_t size : {31u, 32u}) {
            for (const char* block : {"0", "1"}) {
                SCOPED_TRACE(std::string(c.why) + ", " + std::to_string(size) + " bytes, block " +
                             block);
                const Outcome outcome = Open(TableReferringTo(block), c.bytes.substr(0, size));
                ASSERT_EQ(outcome.memoTexts.size(), 1u);
                EXPECT_EQ(outcome.memoTexts[0], size == 31 ? std::nullopt : c.text);
            }
        }
    }
}

// Files the fuzz targets found troublesome, kept in tests/data/damaged/ and read through
// the same calls.
class DamagedCorpusTest : public DamagedFilesTest {
protected:
    Outcome OpenFromCorpus(const std::string& name) {
        const std::filesystem::path folder = std::filesystem::path(TESSARO_TEST_DATA) / "damaged";
        const std::string table = ReadFile((folder / (name + ".dbf")).string());
        EXPECT_FALSE(table.empty()) << name;
        std::optional<std::string> memo;
        if (std::filesystem::exists(folder / (name + ".dbt"))) {
            memo = ReadFile((folder / (name + ".dbt")).string());
        }
        return Open(table, memo);
    }
};

TEST_F(DamagedCorpusTest, EveryFileIsReadWithoutHarm) {
    const std::filesystem::path folder = std::filesystem::path(TESSARO_TEST_DATA) / "damaged";
    int tables = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".dbf") {
            SCOPED_TRACE(entry.path().filename().string());
            OpenFromCorpus(entry.path().stem().string());
            ++tables;
        }
    }
    EXPECT_GT(tables, 0);
}

TEST_F(DamagedCorpusTest, BlankNumbersAndRecordsBeyondTheEnd) {
    // Blank numbers trim to no text at all and the records beyond the end of the file have
    // no bytes; neither may reach memcpy as a null pointer.
    const Outcome outcome = OpenFromCorpus("blank-values-beyond-end");
    ASSERT_EQ(outcome.accepted, 1);
    ASSERT_EQ(cells.RowCount(), 4);
    EXPECT_EQ(Cell(0, 1), "");
    EXPECT_EQ(Cell(0, 2), "");
    EXPECT_EQ(Cell(3, 1), "");
    EXPECT_EQ(Cell(3, 3), "..");
}

TEST(ValuesWithoutBytes, EveryTypeHasItsEmptyText) {
    for (const char type : std::string_view("CNFDLMI+O@BG")) {
        SCOPED_TRACE(std::string("type ") + type);
        EXPECT_EQ(FormatCellText(type, std::string_view{}), TextWithoutBytes(type));
    }
    for (const char type : std::string_view("NFM")) {
        EXPECT_EQ(FormatCellText(type, "     "), "") << "blanks trim to nothing: " << type;
    }
}

}  // namespace
}  // namespace tessaro
