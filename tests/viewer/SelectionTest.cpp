// Pointing at records: clicks, the memo of the row last clicked, the header click and the
// go-to search.

#include "ViewerFixture.h"

namespace tessaro {
namespace {

using test::FakeWindow;
using test::MemoBuilder;
using test::ReadFile;
using test::TableBuilder;

class SelectionTest : public test::ViewerFixture {
protected:
    // A table of `records` records; record 2 refers to a memo.
    void StartWith(int records) {
        MakeMemoTable("KUNDEN.DBF", records);
        MemoBuilder(512).Memo(1, "Notiz zu Kunde 2").WriteTo(dir.File("KUNDEN.DBT"));
        Start();
        ASSERT_TRUE(window.hasList);
    }
};

TEST_F(SelectionTest, AClickSetsTheCurrentRow) {
    StartWith(5);
    EXPECT_EQ(viewer->CurrentRecordRow(), 0);
    viewer->OnRowClick(3);
    EXPECT_EQ(viewer->CurrentRecordRow(), 3);
    viewer->OnRowClick(-1);
    EXPECT_EQ(viewer->CurrentRecordRow(), -1) << "below the last row";
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SelectionTest, ADoubleClickAsksForTheMemoOfTheRow) {
    StartWith(5);
    window.answers = {BoxAnswer::Yes};
    viewer->OnRowDoubleClick(1);
    EXPECT_EQ(viewer->CurrentRecordRow(), 1);
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, "In Datei kopieren und anzeigen ?");
    EXPECT_EQ(window.boxes[0].owner, FakeWindow::kOwner);
    EXPECT_EQ(ReadFile(dir.File("KUNDEN.tmp")), "Notiz zu Kunde 2\r\n");
    EXPECT_EQ(window.editorStarts, std::vector<std::string>{"KUNDEN.tmp"})
        << "relative, as the table";
    EXPECT_FALSE(window.memoItemEnabled.has_value())
        << "a double-click works whatever the menu says";
}

TEST_F(SelectionTest, TheMemoCommandUsesTheRowLastClicked) {
    StartWith(5);
    viewer->OnRowClick(1);
    window.answers = {BoxAnswer::Yes};
    viewer->OpenMemo();
    EXPECT_EQ(ReadFile(dir.File("KUNDEN.tmp")), "Notiz zu Kunde 2\r\n");
    window.boxes.clear();
    viewer->OnRowClick(0);
    viewer->OpenMemo();
    EXPECT_TRUE(window.boxes.empty()) << "record 1 has no memo: not even the question";
    viewer->OnRowClick(-1);
    viewer->OpenMemo();
    EXPECT_TRUE(window.boxes.empty()) << "no row";
}

TEST_F(SelectionTest, TheRowLastClickedOutlivesALoad) {
    StartWith(5);
    viewer->OnRowClick(1);
    MakeMemoTable("ANDERE.DBF", 4);
    MemoBuilder(512).Memo(1, "andere Notiz").WriteTo(dir.File("ANDERE.DBT"));
    OpenByCommand(dir.File("ANDERE.DBF"));
    EXPECT_EQ(viewer->CurrentRecordRow(), 1);
    window.answers = {BoxAnswer::Yes};
    viewer->OpenMemo();
    EXPECT_EQ(ReadFile(dir.File("ANDERE.tmp")), "andere Notiz\r\n");
}

TEST_F(SelectionTest, ATableWithoutMemoFieldsIgnoresTheMemoCommand) {
    TableBuilder().Field("NAME", 'C', 10).Record({"Block: 1"}).WriteTo(dir.File("t.dbf"));
    Start();
    viewer->OnRowDoubleClick(0);
    viewer->OpenMemo();
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SelectionTest, OutOfMemoryDuringAMemoIsSaidAndTheProgramGoesOn) {
    StartWith(5);
    viewer->OnRowClick(1);
    window.answers = {BoxAnswer::Yes};
    window.onBox = [](const test::ShownBox& box) {
        if (box.caption == "Memofeld") {
            throw std::bad_alloc();
        }
    };
    viewer->OpenMemo();
    ASSERT_EQ(window.boxes.size(), 2u);
    EXPECT_EQ(window.boxes[1].text, "nicht genügend Arbeitsspeicher !\r\nMorvane wird beendet");
    EXPECT_TRUE(window.quits.empty());
}

TEST_F(SelectionTest, AHeaderClickAnswersAndChangesNothing) {
    StartWith(5);
    viewer->OnRowClick(2);
    viewer->OnHeaderClick();
    viewer->OnHeaderClick();
    ASSERT_EQ(window.boxes.size(), 2u);
    EXPECT_EQ(window.boxes[0].text, "Überschrift");
    EXPECT_EQ(window.boxes[0].caption, "Tessaro");
    EXPECT_EQ(window.boxes[0].style, BoxButtons::Ok | BoxIcon::None);
    EXPECT_EQ(window.boxes[0].owner, nullptr);
    EXPECT_EQ(viewer->CurrentRecordRow(), 2);
    EXPECT_EQ(window.Cell(0, 1), "Kunde 1   ") << "not sorted";
}

TEST_F(SelectionTest, GoToFindsTheRecordByItsNumber) {
    StartWith(500);
    viewer->OnRowClick(3);
    viewer->GoToRecord();
    EXPECT_EQ(window.goToDialogs, 1);
    viewer->SearchRecord("250");
    viewer->SearchRecord("1");
    viewer->SearchRecord("12");
    EXPECT_EQ(window.rowsBroughtIntoView, (std::vector<std::int32_t>{249, 0, 11}));
    EXPECT_EQ(viewer->CurrentRecordRow(), 3) << "the current row stays";
    window.rowsBroughtIntoView.clear();
    for (const char* nothing : {"501", "abc", " 1", "0", "-1", "1.5", "12345678901234567890"}) {
        viewer->SearchRecord(nothing);
    }
    EXPECT_TRUE(window.rowsBroughtIntoView.empty()) << "nothing found, nothing changes";
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SelectionTest, EveryGoToCommandOpensOneMoreDialogAlsoWithoutAList) {
    Start();
    viewer->GoToRecord();
    viewer->GoToRecord();
    EXPECT_EQ(window.goToDialogs, 2);
    viewer->SearchRecord("1");
    EXPECT_TRUE(window.rowsBroughtIntoView.empty()) << "no list yet: nothing happens";
}

TEST_F(SelectionTest, AnOpenDialogSearchesTheTableShownNow) {
    StartWith(5);
    viewer->GoToRecord();
    TableBuilder table;
    table.Field("NR", 'N', 4);
    for (int i = 0; i < 300; ++i) {
        table.Record({std::to_string(i)});
    }
    table.WriteTo(dir.File("gross.dbf"));
    OpenByCommand(dir.File("gross.dbf"));
    viewer->SearchRecord("280");
    EXPECT_EQ(window.rowsBroughtIntoView, std::vector<std::int32_t>{279});
}

}  // namespace
}  // namespace tessaro
