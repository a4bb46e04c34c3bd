// Opening a table by command: the open dialog, the load, its status texts and the memo
// item, and every way a load can fail.

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <fstream>
#include <new>

#include "ViewerFixture.h"
#include "support/FailingAllocations.h"

namespace tessaro {
namespace {

using test::FakeWindow;
using test::TableBuilder;

class TableLoadingTest : public test::ViewerFixture {};

// The table with its first and last record as `table` has them and `records` records in
// all: those between lie in a hole of the file, zero bytes that take no disk (Linux and
// Wine leave the hole sparse).
void WriteWithHole(const TableBuilder& table, std::int64_t records, const std::string& path) {
    const std::string header = table.HeaderBytes();
    const std::string bytes = table.Bytes();
    const auto stride = static_cast<std::int64_t>((bytes.size() - header.size() - 1) / 2);
    std::ofstream out(test::PathOf(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(header.size() + stride));
    out.seekp(static_cast<std::streamoff>(header.size()) + (records - 1) * stride);
    out.write(bytes.data() + header.size() + stride, static_cast<std::streamsize>(stride + 1));
    ASSERT_TRUE(out) << path;
}

TEST_F(TableLoadingTest, TheOpenDialogAsksForADbfFile) {
    Start();
    OpenByCommand(dir.File("missing.dbf"));
    ASSERT_EQ(window.dialogRequests.size(), 1u);
    const OpenDialogRequest& request = window.dialogRequests[0];
    EXPECT_EQ(request.title, "DBF Datei öffnen :");
    EXPECT_EQ(request.fileName, "*.DBF");
    EXPECT_EQ(request.initialDirectory, "") << "the current folder";
    EXPECT_EQ(request.filter, "dbf Datei|*.dbf|Alle Dateien|*.*");
    EXPECT_EQ(request.defaultExtension, "dbf");
    EXPECT_EQ(request.flags, 0x201004u);
}

TEST_F(TableLoadingTest, AChosenTableIsShownWithItsFullPath) {
    MakeMemoTable("kunden.dbf", 5);
    Start();
    ASSERT_EQ(window.listsCreated, 1) << "opened at start";
    OpenByCommand(dir.File("kunden.dbf"));
    EXPECT_EQ(window.listsCreated, 2) << "every open command starts from a fresh list";
    EXPECT_TRUE(window.listVisible);
    EXPECT_EQ(window.Status(), dir.File("kunden.dbf") + ", 5 Records, Format DBase 5");
    EXPECT_EQ(window.memoItemEnabled, true);
    ASSERT_NE(window.rows, nullptr);
    EXPECT_EQ(window.rows->RowCount(), 5);
    EXPECT_EQ(window.columns.size(), 3u);
}

TEST_F(TableLoadingTest, WhatIsShownIsTheViewersOwnCopyOfTheRecords) {
    // The list asks for its cells long after the load; by then another program may have
    // changed the table, which the viewer no longer holds open.
    MakeMemoTable("kunden.dbf", 3);
    Start();
    OpenByCommand(dir.File("kunden.dbf"));
    ASSERT_NE(window.rows, nullptr);
    EXPECT_EQ(viewer->State().access.files.OpenCount(), 0);
    TableBuilder().Field("NAME", 'C', 10).Record({"anders"}).WriteTo(dir.File("kunden.dbf"));
    EXPECT_EQ(window.rows->RowCount(), 3);
    EXPECT_EQ(window.rows->CellText(0, 1), "Kunde 1   ");
    EXPECT_EQ(window.rows->CellText(1, 2), "Block: 1");
    EXPECT_EQ(window.rows->RowImage(1), kMemoRowImage);
    EXPECT_EQ(window.rows->CellText(3, 1), "") << "no row beyond the last";
    EXPECT_EQ(window.rows->RowImage(3), kRowImage);
}

TEST_F(TableLoadingTest, ADroppedTableOpensAsIfChosenInTheDialog) {
    MakeMemoTable("mit.dbf", 4);
    TableBuilder().Field("A", 'C', 1).WriteTo(dir.File("ohne.dbf"));
    test::WriteFile(dir.File("notiz.txt"), "keine Tabelle");
    Start();
    viewer->OpenDroppedFiles({dir.File("mit.dbf"), dir.File("ohne.dbf")});
    EXPECT_TRUE(window.dialogRequests.empty()) << "no dialog";
    EXPECT_EQ(window.listsCreated, 1);
    EXPECT_TRUE(window.listVisible);
    EXPECT_EQ(window.Status(), dir.File("mit.dbf") + ", 4 Records, Format DBase 5")
        << "the first of several";
    EXPECT_EQ(window.memoItemEnabled, true);
    ASSERT_NE(window.rows, nullptr);
    EXPECT_EQ(window.rows->RowCount(), 4);

    viewer->OpenDroppedFiles({dir.File("notiz.txt")});
    ASSERT_EQ(window.boxes.size(), 1u) << "what the header reader says of any file";
    EXPECT_EQ(window.boxes[0].caption, "Tessaro - Lesefehler");
    EXPECT_EQ(window.Status(), "Datei ist gesperrt");
    EXPECT_FALSE(window.listVisible) << "the previous table is no longer shown";
    EXPECT_EQ(window.memoItemEnabled, true) << "a failed open keeps the earlier state";

    window.boxes.clear();
    viewer->OpenDroppedFiles({});
    EXPECT_EQ(window.listsCreated, 2) << "nothing dropped, nothing done";
    viewer->End();
    viewer->OpenDroppedFiles({dir.File("ohne.dbf")});
    EXPECT_EQ(window.listsCreated, 2) << "not after the end";
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(TableLoadingTest, AChosenCodePageShowsTheTableInItAndHoldsForTheNextTables) {
    using Menu = FakeWindow::CodePageMenu;
    const std::string czech = test::Bytes({'J', 'i', 'h', 'o', 0xE8, 'e', 's', 'k', 0xFD});
    const auto write = [&](const std::string& name) {
        TableBuilder()
            .Field(test::Bytes({'M', 0xEC, 'S', 'T', 'O'}), 'C', 9)
            .Field("NOTIZ", 'M', 10)
            .Record({czech, "         1"})
            .WriteTo(dir.File(name));
        test::MemoBuilder(512).Memo(1, czech).WriteTo(dir.File(name.substr(0, 4) + ".dbt"));
    };
    write("eins.dbf");
    write("zwei.dbf");
    Start();
    EXPECT_EQ(window.codePageMenu, (Menu{"Automatisch", std::nullopt}));
    OpenByCommand(dir.File("eins.dbf"));
    const Menu automatic{"Automatisch: DOS mit deutschen Umlauten (Voreinstellung)", std::nullopt};
    EXPECT_EQ(window.codePageMenu, automatic);
    EXPECT_EQ(window.Cell(0, 1), "Jihoèeský");
    // The records are shown anew, as they were read: the file is not read again.
    std::filesystem::remove(test::PathOf(dir.File("eins.dbf")));
    viewer->ChooseCodePage(1250);
    EXPECT_EQ(window.Cell(0, 1), "Jihočeský");
    EXPECT_EQ(window.columns[1].heading, "MěSTO");
    EXPECT_EQ(window.redraws, 1);
    EXPECT_EQ(window.codePageMenu, (Menu{automatic.automaticText, 1250}));
    window.answers = {BoxAnswer::Yes};
    viewer->OnRowDoubleClick(0);
    EXPECT_EQ(test::ReadMemoText(dir.File("eins.tmp")), "Jihočeský\r\n") << "the memo follows";
    // The next table is shown in the code page chosen, until "Automatisch" again.
    OpenByCommand(dir.File("zwei.dbf"));
    EXPECT_EQ(window.Cell(0, 1), "Jihočeský");
    EXPECT_EQ(window.columns[1].heading, "MěSTO");
    EXPECT_EQ(window.codePageMenu, (Menu{automatic.automaticText, 1250}));
    viewer->ChooseCodePage(std::nullopt);
    EXPECT_EQ(window.Cell(0, 1), "Jihoèeský");
    EXPECT_EQ(window.codePageMenu, automatic);
    // A choice made before any table is there holds for the first one.
    std::filesystem::remove(test::PathOf(dir.File("zwei.dbf")));
    viewer.reset();
    Start();
    viewer->ChooseCodePage(1250);
    EXPECT_EQ(window.codePageMenu, (Menu{"Automatisch", 1250}));
    write("drei.dbf");
    OpenByCommand(dir.File("drei.dbf"));
    EXPECT_EQ(window.Cell(0, 1), "Jihočeský");
}

// A folder, a device or a FIFO is no table: the message of a file that holds none comes at
// once, and the table shown stays. (The front ends refuse such a drop where they can.)
TEST_F(TableLoadingTest, ADroppedFolderIsNoTableAndTheTableShownStays) {
    MakeMemoTable("mit.dbf", 4);
    std::vector<std::string> noFiles = {dir.Path(), dir.Path() + "/."};
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    noFiles.push_back(dir.File("fifo"));
    noFiles.push_back("/dev/null");
#endif
    Start();
    ASSERT_TRUE(window.listVisible);
    for (const std::string& noFile : noFiles) {
        SCOPED_TRACE(noFile);
        EXPECT_FALSE(viewer->TakesDrop({noFile, dir.File("mit.dbf")})) << "the first decides";
        window.boxes.clear();
        viewer->OpenDroppedFiles({noFile});
        ASSERT_EQ(window.boxes.size(), 1u);
        EXPECT_EQ(window.boxes[0].text, "Dateikopf enthält folgende Fehler : \rUngültiger Header");
        EXPECT_EQ(window.boxes[0].caption, "Tessaro - Lesefehler");
        EXPECT_EQ(window.boxes[0].owner, FakeWindow::kOwner);
        EXPECT_EQ(window.listsCreated, 1);
        EXPECT_TRUE(window.listVisible);
        EXPECT_EQ(window.rows->RowCount(), 4);
        EXPECT_EQ(window.Status(), "mit.dbf, 4 Records, Format DBase 5");
    }
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(viewer->TakesDrop({dir.File("mit.dbf"), dir.Path()}));
    EXPECT_TRUE(viewer->TakesDrop({dir.File("fehlt.dbf")})) << "reported as when chosen";
    EXPECT_FALSE(viewer->TakesDrop({}));

    // Chosen in the dialog (a FIFO, say, under "Alle Dateien"): the same message at once,
    // after the list has gone as for any file that holds no table.
    window.boxes.clear();
    OpenByCommand(noFiles.back());
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, "Dateikopf enthält folgende Fehler : \rUngültiger Header");
    EXPECT_EQ(window.Status(), "Datei ist gesperrt");
    EXPECT_EQ(waits, 0);
}

// A box lets the window's events through: on Windows a drop, and the menu while a box
// without owner is open. While a load asks, no other command may replace the table under
// it; the load then goes on with the table it began with.
TEST_F(TableLoadingTest, WhileALoadAsksNoOtherCommandRuns) {
    MakeMemoTable("erste.dbf", 4);
    MakeMemoTable("zweite.dbf", 6);
    Start();
    FileTable other;  // another program holds the first table
    ASSERT_NE(other.TryOpen(dir.File("erste.dbf"), OpenMode::Binary).number, 0);
    window.answers = {BoxAnswer::Retry};
    window.onBox = [&](const test::ShownBox& box) {
        if (box.text != "Zugriffskonflikt !") {
            return;
        }
        EXPECT_FALSE(viewer->TakesDrop({dir.File("zweite.dbf")}));
        viewer->OpenDroppedFiles({dir.File("zweite.dbf")});
        window.chosenFile = dir.File("zweite.dbf");
        viewer->OpenTable();
        viewer->OnRowDoubleClick(1);
        viewer->OpenMemo();
        viewer->ShowHelp();
        other.CloseAll();
    };
    viewer->OpenDroppedFiles({dir.File("erste.dbf")});
    ASSERT_EQ(window.boxes.size(), 1u) << window.boxes.back().text;
    EXPECT_TRUE(window.dialogRequests.empty());
    EXPECT_EQ(window.listsCreated, 1);
    EXPECT_EQ(window.Status(), dir.File("erste.dbf") + ", 4 Records, Format DBase 5");
    ASSERT_NE(window.rows, nullptr);
    EXPECT_EQ(window.rows->RowCount(), 4);

    window.onBox = nullptr;
    EXPECT_TRUE(viewer->TakesDrop({dir.File("zweite.dbf")}));
    viewer->OpenDroppedFiles({dir.File("zweite.dbf")});
    EXPECT_EQ(window.Status(), dir.File("zweite.dbf") + ", 6 Records, Format DBase 5")
        << "once the load is over, as ever";
}

TEST_F(TableLoadingTest, TheMemoItemFollowsTheTableOpenedByCommand) {
    MakeMemoTable("mit.dbf");
    TableBuilder().Field("A", 'C', 1).WriteTo(dir.File("ohne.dbf"));
    TableBuilder().Field("A", 'C', 1).HeaderLength(0).WriteTo(dir.File("kaputt.dbf"));
    Start();
    OpenByCommand(dir.File("mit.dbf"));
    EXPECT_EQ(window.memoItemEnabled, true);
    OpenByCommand(dir.File("kaputt.dbf"));
    EXPECT_EQ(window.memoItemEnabled, true) << "a failed open keeps the earlier state";
    OpenByCommand(dir.File("ohne.dbf"));
    EXPECT_EQ(window.memoItemEnabled, false);
}

TEST_F(TableLoadingTest, ALevel7TableWithoutRecordsShowsItsColumns) {
    TableBuilder(0x04).Field("ZAHL", 'I', 4).Field("WERT", 'O', 8).WriteTo(dir.File("leer.dbf"));
    TableBuilder().WriteTo(dir.File("other.dbf"));
    Start();
    OpenByCommand(dir.File("leer.dbf"));
    EXPECT_EQ(window.rows->RowCount(), 0);
    EXPECT_EQ(window.columns.size(), 3u);
    EXPECT_TRUE(window.listVisible);
    EXPECT_EQ(window.Status(), dir.File("leer.dbf") + ", 0 Records, Format DBase 7");
    // The status line names what wrote the table; dBASE keeps its own words.
    for (const auto& [version, format] :
         std::vector<std::pair<std::uint8_t, std::string>>{{0x83, "DBase 5"},
                                                           {0x8C, "DBase 7"},
                                                           {0xF5, "FoxPro"},
                                                           {0xFB, "FoxPro"},
                                                           {0x30, "Visual FoxPro"},
                                                           {0x32, "Visual FoxPro"}}) {
        TableBuilder(version).Field("A", 'C', 1).Record({"x"}).WriteTo(dir.File("leer.dbf"));
        OpenByCommand(dir.File("leer.dbf"));
        EXPECT_EQ(window.Status(), dir.File("leer.dbf") + ", 1 Records, Format " + format);
    }
}

TEST_F(TableLoadingTest, ATableOfThreeRecordsHasThreeRowsInOrder) {
    TableBuilder()
        .Field("NR", 'N', 3)
        .Record({"7"})
        .Record({"8"})
        .Record({"9"})
        .WriteTo(dir.File("t.dbf"));
    Start();
    ASSERT_EQ(window.rows->RowCount(), 3);
    EXPECT_EQ(window.Cell(0, 1), "7");
    EXPECT_EQ(window.Cell(2, 1), "9");
}

TEST_F(TableLoadingTest, CancellingTheDialogEndsTheProgram) {
    Start();
    window.chosenFile.reset();
    viewer->OpenTable();
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(
        window.boxes[0].text,
        "Sie haben kein dbf File ausgewählt.\r\nDer Viewer kann nur DBase Dateien\r\nöffnen.");
    EXPECT_EQ(window.boxes[0].caption, "Tessaro Dateifehler - Benutzerabbruch");
    EXPECT_EQ(window.boxes[0].style, BoxButtons::Ok | BoxIcon::Stop);
    EXPECT_EQ(window.boxes[0].owner, FakeWindow::kOwner);
    EXPECT_EQ(window.quits, std::vector<int>{0});
    EXPECT_EQ(window.beeps, 0) << "no shutdown sound";
    EXPECT_EQ(window.Status(), "Bitte wählen Sie eine DBase Datei zur Ansicht")
        << "nothing was read";
}

TEST_F(TableLoadingTest, AnInvalidHeaderLeavesAHiddenEmptyList) {
    MakeMemoTable("gut.dbf");
    TableBuilder().Field("A", 'C', 1).RecordLength(0).WriteTo(dir.File("kaputt.dbf"));
    Start();
    OpenByCommand(dir.File("gut.dbf"));
    OpenByCommand(dir.File("kaputt.dbf"));
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text,
              "Dateikopf enthält folgende Fehler : \r - Ungültige Feldanzahl");
    EXPECT_EQ(window.Status(), "Datei ist gesperrt");
    EXPECT_TRUE(window.hasList);
    EXPECT_FALSE(window.listVisible) << "the previous table is no longer shown";
    EXPECT_EQ(window.rows->RowCount(), 0);
    EXPECT_EQ(window.columns, (std::vector<FakeWindow::Column>{{"Satznr.", 45}}));
}

TEST_F(TableLoadingTest, AMissingTableIsReportedAndNothingIsCreated) {
    Start();
    OpenByCommand(dir.File("weg.dbf"));
    ASSERT_EQ(window.boxes.size(), 2u);
    EXPECT_EQ(window.boxes[0].text, "Datei nicht gefunden !\r\nMorvane wird beendet");
    EXPECT_EQ(window.boxes[1].text, "Die Datei " + dir.File("weg.dbf") + "\r\nist gesperrt.");
    EXPECT_EQ(window.Status(), "Datei ist gesperrt");
    EXPECT_EQ(waits, 500) << "every failure is retried 500 times";
    EXPECT_FALSE(std::filesystem::exists(dir.File("weg.dbf")));
    // A name that is no UTF-8 (Latin-1 of an older system) reads as Windows-1252.
    OpenByCommand(dir.File("K\xE4se.dbf"));
    ASSERT_FALSE(window.boxes.empty());
    EXPECT_EQ(window.boxes.back().text, "Die Datei " + dir.File("Käse.dbf") + "\r\nist gesperrt.");
}

TEST_F(TableLoadingTest, ATableLockedWhileReadingIsReported) {
    // A table of more than 128 fields: its notice comes after the header was read and
    // before the records are, and that is when another program takes the table.
    Start();
    TableBuilder table;
    for (int i = 1; i <= 130; ++i) {
        table.Field(std::string("F").append(std::to_string(i)), 'C', 1);
    }
    table.Record(std::vector<std::string>(130, "x")).WriteTo(dir.File("breit.dbf"));
    window.onBox = [this](const test::ShownBox& box) {
        if (box.text.starts_with("Die Tabelle hat 130 Felder.")) {
            viewer->State().access.files.TryOpen(dir.File("breit.dbf"), OpenMode::Binary);
        }
    };
    OpenByCommand(dir.File("breit.dbf"));
    ASSERT_EQ(window.boxes.size(), 3u);
    EXPECT_EQ(window.boxes[1].text, "Zugriffskonflikt !");
    EXPECT_EQ(window.boxes[2].text,
              "Die Datei " + dir.File("breit.dbf") + "\r\nwurde während des lesens gesperrt.");
    EXPECT_EQ(window.boxes[2].caption, "Tessaro Programminfo");
    EXPECT_EQ(window.boxes[2].style, BoxButtons::Ok | BoxIcon::Stop);
    EXPECT_EQ(window.boxes[2].owner, FakeWindow::kOwner);
    EXPECT_EQ(window.Status(), "Lese Datei ....");
    EXPECT_FALSE(window.listVisible);
    EXPECT_EQ(window.columns.size(), 129u) << "the columns are in place, no record was read";
}

TEST_F(TableLoadingTest, WithoutARecordListTheLoadRunsOnWithoutColumns) {
    MakeMemoTable("t.dbf");
    window.listCanBeMade = false;
    Start();
    EXPECT_EQ(window.Status(), "t.dbf, 3 Records, Format DBase 5");
    EXPECT_TRUE(window.columns.empty());
    EXPECT_EQ(window.rows, nullptr);
    viewer->SearchRecord("1");
    EXPECT_TRUE(window.rowsBroughtIntoView.empty());
}

TEST_F(TableLoadingTest, ATableTooBigForTheMemoryLeavesAnEmptyListAndTheProgramRunning) {
    // The records take 1.2 MiB; no block of a MiB is to be had.
    MakeMemoTable("t.dbf", 60000);
    Start();
    {
        const test::FailingAllocations failing(1 << 20);
        OpenByCommand(dir.File("t.dbf"));
        EXPECT_GT(failing.Failures(), 0);
    }
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, "nicht genügend Arbeitsspeicher !\r\nMorvane wird beendet");
    EXPECT_EQ(window.Status(), "Datei ist gesperrt");
    EXPECT_FALSE(window.listVisible);
    EXPECT_EQ(window.rows->RowCount(), 0);
    EXPECT_EQ(viewer->State().access.files.OpenCount(), 0);
    EXPECT_TRUE(window.quits.empty());
    OpenByCommand(dir.File("t.dbf"));
    EXPECT_EQ(window.Status(), dir.File("t.dbf") + ", 60000 Records, Format DBase 5")
        << "and it goes on";
}

// 65536 records of 128 fields of 250 characters, 2.1 GB: more than a 32-bit program can
// hold in the 2 GB it has without the 4 GB of 64-bit Windows, and read beyond 2 GB of the
// file. Whatever the load keeps of it, the table is shown, or the program says that the
// memory does not suffice and goes on: never a crash or an abort.
TEST_F(TableLoadingTest, SlowATableOfMoreThanTwoGigabytesIsShownOrTooBigAndTheProgramGoesOn) {
    TableBuilder table;
    for (int i = 1; i <= 128; ++i) {
        table.Field(std::string("F").append(std::to_string(i)), 'C', 250);
    }
    table.Record({"erster Satz"}).Record({"letzter Satz"}).RecordCount(65536);
    WriteWithHole(table, 65536, dir.File("riesig.dbf"));
    MakeMemoTable("klein.dbf");
    Start();
    OpenByCommand(dir.File("riesig.dbf"));
    if (window.boxes.empty()) {
        EXPECT_EQ(window.Status(), dir.File("riesig.dbf") + ", 65536 Records, Format DBase 5");
        EXPECT_TRUE(window.listVisible);
        ASSERT_NE(window.rows, nullptr);
        ASSERT_EQ(window.rows->RowCount(), 65536);
        EXPECT_EQ(window.columns.size(), 129u);
        EXPECT_TRUE(window.Cell(0, 1).starts_with("erster Satz ")) << window.Cell(0, 1);
        EXPECT_EQ(window.Cell(1, 128), "");
        EXPECT_TRUE(window.Cell(65535, 1).starts_with("letzter Satz ")) << window.Cell(65535, 1);
    } else {
        ASSERT_EQ(window.boxes.size(), 1u) << window.boxes[0].text;
        EXPECT_EQ(window.boxes[0].text, "nicht genügend Arbeitsspeicher !\r\nMorvane wird beendet");
        EXPECT_EQ(window.Status(), "Datei ist gesperrt");
        EXPECT_FALSE(window.listVisible);
    }
    EXPECT_TRUE(window.quits.empty());
    EXPECT_EQ(viewer->State().access.files.OpenCount(), 0);
    OpenByCommand(dir.File("klein.dbf"));
    EXPECT_EQ(window.Status(), dir.File("klein.dbf") + ", 3 Records, Format DBase 5")
        << "and it goes on";
}

TEST_F(TableLoadingTest, TheTableIsNeitherChangedNorAccompanied) {
    MakeMemoTable("kunden.dbf");
    test::FolderSnapshot snapshot(dir.Path());
    Start();
    OpenByCommand(dir.File("kunden.dbf"));
    EXPECT_EQ(snapshot.Differences(), "");
    EXPECT_EQ(viewer->State().access.files.OpenCount(), 0);
}

}  // namespace
}  // namespace tessaro
