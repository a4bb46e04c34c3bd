#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "builder/TableBuilder.h"
#include "support/CoreFixture.h"
#include "table/ReadTableHeader.h"

namespace tessaro {
namespace {

using test::Bytes;
using test::TableBuilder;
using test::WriteFile;

WindowHandle const kOwner = reinterpret_cast<WindowHandle>(0x1234);

class ReadTableHeaderTest : public test::CoreFixture {
protected:
    std::int16_t Read(const TableBuilder& table) {
        table.WriteTo(dir.File("t.dbf"));
        return ReadBytes();
    }
    std::int16_t ReadBytes() {
        const std::int16_t result = ReadTableHeader(session, dir.File("t.dbf"), kOwner);
        EXPECT_EQ(session.access.files.OpenCount(), 0) << "the table must be closed again";
        return result;
    }
    const TableInfo& info() { return session.tableInfo; }
    const FieldDesc& field(int i) { return session.fieldTable[i]; }
};

TEST_F(ReadTableHeaderTest, ReadsALevel5Table) {
    ASSERT_EQ(Read(TableBuilder(0x03)
                       .Field("NAME", 'C', 20)
                       .Field("BETRAG", 'N', 10, 2)
                       .Field("NOTIZ", 'M', 10)
                       .Record({"a", "1", ""})
                       .Record({"b", "2", ""})),
              1);
    EXPECT_EQ(info().IsLevel5, 1);
    EXPECT_EQ(info().RecordCount, 2);
    EXPECT_EQ(info().HeaderLength, 32 + 3 * 32 + 1);
    EXPECT_EQ(info().RecordLength, 41);
    EXPECT_EQ(info().FieldCount, 3);
    EXPECT_EQ(info().MemoFieldCount, 1);
    EXPECT_EQ(field(1).FieldName, "NAME");
    EXPECT_EQ(field(1).FieldType, 'C');
    EXPECT_EQ(field(1).FieldLength, 20);
    EXPECT_EQ(field(2).FieldName, "BETRAG");
    EXPECT_EQ(field(2).FieldDecimals, 2);
    EXPECT_EQ(field(3).FieldType, 'M');
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(ReadTableHeaderTest, ReadsALevel7TableWithLongNames) {
    const std::string longName(32, 'Q');
    ASSERT_EQ(Read(TableBuilder(0x04).Field(longName, 'I', 4).Field("WERT", 'O', 8)), 1);
    EXPECT_EQ(info().IsLevel5, 0);
    EXPECT_EQ(info().HeaderLength, 68 + 2 * 48 + 1);
    EXPECT_EQ(info().FieldCount, 2);
    EXPECT_EQ(field(1).FieldName, longName);
    EXPECT_EQ(field(1).FieldType, 'I');
    EXPECT_EQ(field(2).FieldName, "WERT");
    EXPECT_EQ(field(2).FieldLength, 8);
}

TEST_F(ReadTableHeaderTest, TheVersionByteChoosesTheLayout) {
    for (const unsigned version : {0x03u, 0x83u, 0x8Bu, 0x30u, 0xF5u, 0x00u, 0x05u}) {
        ASSERT_EQ(Read(TableBuilder(static_cast<std::uint8_t>(version)).Field("A", 'C', 1)), 1);
        EXPECT_EQ(info().IsLevel5, 1) << version;
    }
    for (const unsigned version : {0x04u, 0x8Cu}) {
        ASSERT_EQ(Read(TableBuilder(static_cast<std::uint8_t>(version)).Field("A", 'C', 1)), 1);
        EXPECT_EQ(info().IsLevel5, 0) << version;
    }
}

TEST_F(ReadTableHeaderTest, NamesEndAtTheirFirstNulOrFillTheirWidth) {
    TableBuilder table;
    table.Field("ABCDEFGHIJK", 'C', 1).Field("XY", 'C', 1);
    std::string bytes = table.Bytes();
    bytes.replace(64 + 3, 3, "ZZZ");  // behind the NUL that ends "XY"
    WriteFile(dir.File("t.dbf"), bytes);
    ASSERT_EQ(ReadBytes(), 1);
    EXPECT_EQ(field(1).FieldName, "ABCDEFGHIJK");
    EXPECT_EQ(field(2).FieldName, "XY");
}

TEST_F(ReadTableHeaderTest, OnlyUpperCaseMCountsAsMemo) {
    ASSERT_EQ(Read(TableBuilder().Field("A", 'M', 10).Field("B", 'm', 10).Field("C", 'M', 10)), 1);
    EXPECT_EQ(info().MemoFieldCount, 2);
}

TEST_F(ReadTableHeaderTest, LengthsAreUnsignedBytesAndACharacterFieldHasNoDecimals) {
    ASSERT_EQ(Read(TableBuilder()
                       .Field("A", 'N', 0xFE, 0xFF)
                       .Field("B", 'C', 0xFE, 0xFF)
                       .Field("C", 'C', 44, 1)
                       .Field("D", 'c', 10, 2)),
              1);
    EXPECT_EQ(field(1).FieldLength, 254);
    EXPECT_EQ(field(1).FieldDecimals, 255);
    // Clipper and FoxPro keep the high byte of a longer character field in its decimals.
    EXPECT_EQ(field(2).FieldLength, 254 + 256 * 255);
    EXPECT_EQ(field(2).FieldDecimals, 0);
    EXPECT_EQ(field(3).FieldLength, 300);
    EXPECT_EQ(field(3).FieldDecimals, 0);
    EXPECT_EQ(field(4).FieldLength, 10) << "only the type C";
    EXPECT_EQ(field(4).FieldDecimals, 2);
    EXPECT_EQ(info().RecordStride(), 1 + 254 + 65534 + 300 + 10);
}

TEST_F(ReadTableHeaderTest, ATerminatorAtTheFirstPositionMeansNoFields) {
    ASSERT_EQ(Read(TableBuilder()), 1);
    EXPECT_EQ(info().FieldCount, 0);
}

TEST_F(ReadTableHeaderTest, TheRecordCountMayReach65536) {
    ASSERT_EQ(Read(TableBuilder().Field("A", 'C', 1).RecordCount(65536)), 1);
    EXPECT_EQ(Read(TableBuilder().Field("A", 'C', 1).RecordCount(65537)), 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "Datei enthält: 65537 Records.\rViewer kann maximal 65536 Records anzeigen");
    EXPECT_EQ(desktop.boxes[0].caption, "Tessaro - Lesefehler");
    EXPECT_EQ(desktop.boxes[0].style, BoxButtons::Ok | BoxIcon::Stop);
    EXPECT_EQ(desktop.boxes[0].owner, kOwner);
}

TEST_F(ReadTableHeaderTest, ZeroLengthsAreListedAsFindings) {
    struct Case {
        std::uint16_t headerLength, recordLength;
        const char* findings;
    };
    for (const Case& c :
         {Case{0, 0, "Ungültiger Header - Ungültige Feldanzahl"}, Case{0, 5, "Ungültiger Header"},
          Case{65, 0, " - Ungültige Feldanzahl"}}) {
        desktop.boxes.clear();
        EXPECT_EQ(Read(TableBuilder()
                           .Field("A", 'C', 4)
                           .HeaderLength(c.headerLength)
                           .RecordLength(c.recordLength)
                           .RecordCount(100000)),
                  0);
        ASSERT_EQ(desktop.boxes.size(), 1u) << "only the header message, not the count";
        EXPECT_EQ(desktop.boxes[0].text,
                  std::string("Dateikopf enthält folgende Fehler : \r") + c.findings);
        EXPECT_EQ(desktop.boxes[0].caption, "Tessaro - Lesefehler");
        EXPECT_EQ(desktop.boxes[0].style, BoxButtons::Ok | BoxIcon::Exclamation);
        EXPECT_EQ(desktop.boxes[0].owner, kOwner);
    }
}

TEST_F(ReadTableHeaderTest, NegativeLengthsPass) {
    ASSERT_EQ(Read(TableBuilder().Field("A", 'C', 4).RecordLength(0xFFFF)), 1);
    EXPECT_EQ(info().RecordLength, -1);
}

TEST_F(ReadTableHeaderTest, ARejectedTableLeavesThePreviousFieldCount) {
    ASSERT_EQ(Read(TableBuilder().Field("A", 'C', 4).Field("B", 'C', 4).Field("C", 'M', 10)), 1);
    EXPECT_EQ(Read(TableBuilder(0x04).Field("X", 'C', 4).RecordCount(70000)), 0);
    EXPECT_EQ(info().FieldCount, 3);
    EXPECT_EQ(info().RecordCount, 70000);
    EXPECT_EQ(info().HeaderLength, 68 + 48 + 1);
    EXPECT_EQ(info().RecordLength, 5);
    EXPECT_EQ(info().IsLevel5, 0);
    EXPECT_EQ(info().MemoFieldCount, 0) << "reset at every call";
}

TEST_F(ReadTableHeaderTest, ALockedTableIsReportedAfterTheRetries) {
    TableBuilder().Field("A", 'C', 1).WriteTo(dir.File("t.dbf"));
    ASSERT_EQ(session.access.files.TryOpen(dir.File("t.dbf"), OpenMode::Binary).number, 1);
    session.tableInfo.MemoFieldCount = 3;
    session.tableInfo.IsLevel5 = 0;
    EXPECT_EQ(ReadTableHeader(session, dir.File("t.dbf"), kOwner), 0);
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[0].text, "Zugriffskonflikt !");
    EXPECT_EQ(desktop.boxes[1].text, "Die Datei " + dir.File("t.dbf") + "\r\nist gesperrt.");
    EXPECT_EQ(desktop.boxes[1].caption, "Tessaro Programminfo");
    EXPECT_EQ(desktop.boxes[1].style, BoxButtons::Ok | BoxIcon::Stop);
    EXPECT_EQ(desktop.boxes[1].owner, kOwner);
    EXPECT_EQ(info().MemoFieldCount, 0);
    EXPECT_EQ(info().IsLevel5, 1);
}

TEST_F(ReadTableHeaderTest, AMissingTableIsReportedAndNotCreated) {
    EXPECT_EQ(ReadBytes(), 0);
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[0].text, "Datei nicht gefunden !\r\nMorvane wird beendet");
    EXPECT_EQ(desktop.boxes[1].text, "Die Datei " + dir.File("t.dbf") + "\r\nist gesperrt.");
    EXPECT_FALSE(std::filesystem::exists(dir.File("t.dbf")));
}

// A folder, a device or a FIFO holds no table, as an empty file holds none: its message at
// once, without retries.
TEST_F(ReadTableHeaderTest, WhatIsNoFileIsNoTable) {
    std::vector<std::string> names = {dir.Path()};
#ifdef _WIN32
    names.push_back("NUL");
#else
    ASSERT_EQ(::mkfifo(dir.File("fifo.dbf").c_str(), 0600), 0);
    names.push_back(dir.File("fifo.dbf"));
    names.push_back("/dev/null");
#endif
    for (const std::string& name : names) {
        desktop.boxes.clear();
        EXPECT_EQ(ReadTableHeader(session, name, kOwner), 0) << name;
        ASSERT_EQ(desktop.boxes.size(), 1u) << name;
        EXPECT_EQ(desktop.boxes[0].text, "Dateikopf enthält folgende Fehler : \rUngültiger Header");
        EXPECT_EQ(desktop.boxes[0].caption, "Tessaro - Lesefehler");
        EXPECT_EQ(desktop.boxes[0].owner, kOwner);
    }
    EXPECT_EQ(waits, 0);
    EXPECT_EQ(session.access.files.OpenCount(), 0);
}

TEST_F(ReadTableHeaderTest, ALongPathIsKeptWhole) {
    std::string folder = dir.Path();
    while (folder.size() < 300) {
        folder += "/verzeichnis-mit-langem-namen";
    }
    std::filesystem::create_directories(folder);
    TableBuilder().Field("A", 'C', 1).WriteTo(folder + "/t.dbf");
    EXPECT_EQ(ReadTableHeader(session, folder + "/t.dbf", kOwner), 1);
}

TEST_F(ReadTableHeaderTest, WithoutTerminatorTheFieldsEndWithTheHeader) {
    // The record bytes behind the header must not be taken for more fields.
    TableBuilder table;
    table.Field("A", 'C', 40).Field("B", 'C', 40).WithoutTerminator();
    table.Record({std::string(11, 'X') + "C", "more"});
    ASSERT_EQ(Read(table), 1);
    EXPECT_EQ(info().FieldCount, 2);
}

TEST_F(ReadTableHeaderTest, AFileThatEndsInsideItsDeclaredHeaderHasNone) {
    // Else 40 empty records would be shown as if they were there.
    TableBuilder table;
    table.Field("A", 'C', 1).Field("B", 'C', 1).Field("C", 'C', 1).RecordCount(40);
    for (const std::size_t size : {std::size_t{50}, std::size_t{32 + 2 * 32 + 20},
                                   std::size_t{table.NaturalHeaderLength() - 1u}}) {
        desktop.boxes.clear();
        WriteFile(dir.File("t.dbf"), table.Bytes().substr(0, size));
        EXPECT_EQ(ReadBytes(), 0) << size;
        ASSERT_EQ(desktop.boxes.size(), 1u) << size;
        EXPECT_EQ(desktop.boxes[0].text, "Dateikopf enthält folgende Fehler : \rUngültiger Header");
        EXPECT_EQ(desktop.boxes[0].caption, "Tessaro - Lesefehler");
    }
    WriteFile(dir.File("t.dbf"), table.Bytes().substr(0, table.NaturalHeaderLength()));
    EXPECT_EQ(ReadBytes(), 1) << "the whole header, and no record yet";
}

TEST_F(ReadTableHeaderTest, AFileTooShortForTheFixedHeaderIsInvalid) {
    const std::string bytes = TableBuilder().Field("A", 'C', 1).Bytes();
    for (std::size_t size = 0; size < 12; ++size) {
        desktop.boxes.clear();
        WriteFile(dir.File("t.dbf"), bytes.substr(0, size));
        EXPECT_EQ(ReadBytes(), 0) << size;
        ASSERT_EQ(desktop.boxes.size(), 1u) << size;
        EXPECT_EQ(desktop.boxes[0].text, "Dateikopf enthält folgende Fehler : \rUngültiger Header");
    }
}

TEST_F(ReadTableHeaderTest, MoreThan128FieldsShowTheFirst128AndKeepEveryLength) {
    TableBuilder table;
    for (int i = 1; i <= 130; ++i) {
        table.Field(std::string("F").append(std::to_string(i)), i == 130 ? 'M' : 'C', 3);
    }
    ASSERT_EQ(Read(table), 1);
    EXPECT_EQ(info().FieldCount, 128);
    EXPECT_EQ(info().DescriptorCount, 130);
    EXPECT_EQ(info().FieldLengthSum, 390);
    EXPECT_EQ(info().RecordStride(), 391);
    EXPECT_EQ(info().MemoFieldCount, 0) << "the memo field is not shown";
    EXPECT_EQ(field(128).FieldName, "F128");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "Die Tabelle hat 130 Felder.\rAngezeigt werden nur die ersten 128 Felder.");
    EXPECT_EQ(desktop.boxes[0].owner, kOwner);
}

TEST_F(ReadTableHeaderTest, AHeaderLengthAbove32767IsReadUnsigned) {
    TableBuilder table;
    table.Field("A", 'C', 1).Field("B", 'C', 1).WithoutTerminator().HeaderLength(0x8000);
    std::string bytes = table.Bytes();
    bytes.resize(0x8000 + 10, ' ');  // field-like bytes up to the stated header end
    WriteFile(dir.File("t.dbf"), bytes);
    ASSERT_EQ(ReadBytes(), 1);
    EXPECT_EQ(info().HeaderLength, -32768);
    EXPECT_EQ(info().HeaderBytes(), 0x8000);
    EXPECT_EQ(info().FieldCount, 128) << "blank descriptors up to the header end";
}

TEST_F(ReadTableHeaderTest, TheSameTableCanBeReadAgainAtOnce) {
    TableBuilder().Field("A", 'C', 1).WriteTo(dir.File("t.dbf"));
    EXPECT_EQ(ReadBytes(), 1);
    EXPECT_EQ(ReadBytes(), 1);
    EXPECT_EQ(waits, 0);
}

}  // namespace
}  // namespace tessaro
