#include <filesystem>

#include "WindowFixture.h"

namespace tessaro {
namespace {

using test::TableBuilder;

class TableLoaderTest : public test::WindowFixture {};

TEST_F(TableLoaderTest, TheOpenDialogAsksForADbfFile) {
    Start();
    OpenByCommand(dir.File("missing.dbf"));
    ASSERT_EQ(port.dialogRequests.size(), 1u);
    const OpenDialogRequest& request = port.dialogRequests[0];
    EXPECT_EQ(request.title, "DBF Datei öffnen :");
    EXPECT_EQ(request.fileName, "*.DBF");
    EXPECT_EQ(request.initialDirectory, QDir::currentPath());
    EXPECT_EQ(request.filter, "dbf Datei|*.dbf|Alle Dateien|*.*");
    EXPECT_EQ(request.defaultExtension, "dbf");
    EXPECT_EQ(request.flags, 0x201004u);
    EXPECT_EQ(port.dialogOwner, window.get());
}

TEST_F(TableLoaderTest, AChosenTableIsShownWithItsFullPath) {
    MakeMemoTable("kunden.dbf", 5);
    Start();
    ASSERT_NE(List(), nullptr) << "opened at start";
    RecordListView* first = List();
    OpenByCommand(dir.File("kunden.dbf"));
    EXPECT_NE(List(), first) << "every open command starts from a fresh list";
    EXPECT_TRUE(List()->isVisible());
    EXPECT_EQ(Status(), QString::fromStdString(dir.File("kunden.dbf")) + ", 5 Records, Format DBase 5");
    EXPECT_TRUE(MemoItem()->isEnabled());
    EXPECT_EQ(List()->Model()->rowCount(), 5);
}

TEST_F(TableLoaderTest, TheMemoItemFollowsTheTableOpenedByCommand) {
    MakeMemoTable("mit.dbf");
    TableBuilder().Field("A", 'C', 1).WriteTo(dir.File("ohne.dbf"));
    TableBuilder().Field("A", 'C', 1).HeaderLength(0).WriteTo(dir.File("kaputt.dbf"));
    Start();
    OpenByCommand(dir.File("mit.dbf"));
    EXPECT_TRUE(MemoItem()->isEnabled());
    OpenByCommand(dir.File("kaputt.dbf"));
    EXPECT_TRUE(MemoItem()->isEnabled()) << "a failed open keeps the earlier state";
    OpenByCommand(dir.File("ohne.dbf"));
    EXPECT_FALSE(MemoItem()->isEnabled());
}

TEST_F(TableLoaderTest, ALevel7TableWithoutRecordsShowsItsColumns) {
    TableBuilder(0x04).Field("ZAHL", 'I', 4).Field("WERT", 'O', 8).WriteTo(dir.File("leer.dbf"));
    TableBuilder().WriteTo(dir.File("other.dbf"));
    Start();
    OpenByCommand(dir.File("leer.dbf"));
    EXPECT_EQ(List()->Model()->rowCount(), 0);
    EXPECT_EQ(List()->Model()->columnCount(), 3);
    EXPECT_EQ(Status(), QString::fromStdString(dir.File("leer.dbf")) + ", 0 Records, Format DBase 7");
}

TEST_F(TableLoaderTest, CancellingTheDialogEndsTheProgram) {
    Start();
    port.chosenFile.reset();
    window->OnCommand(IDM_OPEN);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text,
              "Sie haben kein dbf File ausgewählt.\r\nDer Viewer kann nur DBase Dateien\r\nöffnen.");
    EXPECT_EQ(port.boxes[0].caption, "Tessaro Dateifehler - Benutzerabbruch");
    EXPECT_EQ(port.boxes[0].style, BoxButtons::Ok | BoxIcon::Stop);
    EXPECT_EQ(port.boxes[0].owner, static_cast<WindowHandle>(window.get()));
    EXPECT_EQ(port.quits, std::vector<int>{0});
    EXPECT_EQ(port.beeps, 0) << "no shutdown sound";
    EXPECT_EQ(Status(), "Bitte wählen Sie eine DBase Datei zur Ansicht") << "nothing was read";
}

TEST_F(TableLoaderTest, AnInvalidHeaderLeavesAHiddenEmptyList) {
    MakeMemoTable("gut.dbf");
    TableBuilder().Field("A", 'C', 1).RecordLength(0).WriteTo(dir.File("kaputt.dbf"));
    Start();
    OpenByCommand(dir.File("gut.dbf"));
    OpenByCommand(dir.File("kaputt.dbf"));
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, "Dateikopf enthält folgende Fehler : \r - Ungültige Feldanzahl");
    EXPECT_EQ(Status(), "Datei ist gesperrt");
    ASSERT_NE(List(), nullptr);
    EXPECT_FALSE(List()->isVisible()) << "the previous table is no longer shown";
    EXPECT_EQ(List()->Model()->rowCount(), 0);
    EXPECT_EQ(List()->Model()->columnCount(), 1);
}

TEST_F(TableLoaderTest, AMissingTableIsReportedAndNothingIsCreated) {
    Start();
    OpenByCommand(dir.File("weg.dbf"));
    ASSERT_EQ(port.boxes.size(), 2u);
    EXPECT_EQ(port.boxes[0].text, "Datei nicht gefunden !\r\nMorvane wird beendet");
    EXPECT_EQ(port.boxes[1].text, "Die Datei " + dir.File("weg.dbf") + "\r\nist gesperrt.");
    EXPECT_EQ(Status(), "Datei ist gesperrt");
    EXPECT_FALSE(std::filesystem::exists(dir.File("weg.dbf")));
}

TEST_F(TableLoaderTest, ATableLockedWhileReadingIsReported) {
    // A table of more than 128 fields: its notice comes after the header was read and
    // before the records are, and that is when another program takes the table.
    Start();
    TableBuilder table;
    for (int i = 1; i <= 130; ++i) {
        table.Field(std::string("F").append(std::to_string(i)), 'C', 1);
    }
    table.Record(std::vector<std::string>(130, "x")).WriteTo(dir.File("breit.dbf"));
    port.onBox = [this](const test::ShownBox& box) {
        if (box.text.starts_with("Die Tabelle hat 130 Felder.")) {
            window->State().access.files.TryOpen(dir.File("breit.dbf"), OpenMode::Binary);
        }
    };
    OpenByCommand(dir.File("breit.dbf"));
    ASSERT_EQ(port.boxes.size(), 3u);
    EXPECT_EQ(port.boxes[1].text, "Zugriffskonflikt !");
    EXPECT_EQ(port.boxes[2].text,
              "Die Datei " + dir.File("breit.dbf") + "\r\nwurde während des lesens gesperrt.");
    EXPECT_EQ(port.boxes[2].caption, "Tessaro Programminfo");
    EXPECT_EQ(port.boxes[2].style, BoxButtons::Ok | BoxIcon::Stop);
    EXPECT_EQ(Status(), "Lese Datei ....");
    EXPECT_FALSE(List()->isVisible());
    EXPECT_EQ(List()->Model()->rowCount(), 1) << "rows and columns are in place";
    EXPECT_EQ(List()->Model()->columnCount(), 129);
}

TEST_F(TableLoaderTest, TheTableIsNeitherChangedNorAccompanied) {
    MakeMemoTable("kunden.dbf");
    test::FolderSnapshot snapshot(dir.Path());
    Start();
    OpenByCommand(dir.File("kunden.dbf"));
    EXPECT_EQ(snapshot.Differences(), "");
    EXPECT_EQ(window->State().access.files.OpenCount(), 0);
}

}  // namespace
}  // namespace tessaro
