// Pointing at records: clicks, the memo of the row last clicked, the header click and the
// go-to search.

#include "ViewerFixture.h"
#include "viewer/GoToPlacement.h"

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
    EXPECT_EQ(test::ReadMemoText(dir.File("KUNDEN.tmp")), "Notiz zu Kunde 2\r\n");
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
    EXPECT_EQ(test::ReadMemoText(dir.File("KUNDEN.tmp")), "Notiz zu Kunde 2\r\n");
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
    EXPECT_EQ(test::ReadMemoText(dir.File("ANDERE.tmp")), "andere Notiz\r\n");
}

// The question's box lets the window's events through (on Windows a drop): the memo copied
// is the one asked for, of the table shown then.
TEST_F(SelectionTest, WhileTheMemoQuestionIsOpenNoOtherCommandRuns) {
    StartWith(5);
    MakeMemoTable("ANDERE.DBF", 4);
    MemoBuilder(512).Memo(1, "falsches Memo").WriteTo(dir.File("ANDERE.DBT"));
    window.answers = {BoxAnswer::Yes};
    window.onBox = [this](const test::ShownBox& box) {
        if (box.caption == "Memofeld") {
            viewer->OpenDroppedFiles({dir.File("ANDERE.DBF")});
            viewer->OnRowDoubleClick(1);
            viewer->OnHeaderClick();
        }
    };
    viewer->OnRowDoubleClick(1);
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(test::ReadMemoText(dir.File("KUNDEN.tmp")), "Notiz zu Kunde 2\r\n");
    EXPECT_FALSE(std::filesystem::exists(test::PathOf(dir.File("ANDERE.tmp"))));
    EXPECT_EQ(window.Status(), "KUNDEN.DBF, 5 Records, Format DBase 5");
    EXPECT_EQ(window.editorStarts, std::vector<std::string>{"KUNDEN.tmp"});
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

TEST_F(SelectionTest, ATypedRecordNumberFindsItsRowFromWhereTheListIs) {
    StartWith(500);
    EXPECT_EQ(viewer->FindTypedRecord("40", 0, true), 39);
    EXPECT_EQ(viewer->FindTypedRecord("4", 4, true), 39) << "below record 4: 40";
    EXPECT_EQ(viewer->FindTypedRecord("4", 499, true), 3) << "from the top again";
    EXPECT_EQ(viewer->FindTypedRecord("4", 499, false), -1);
    EXPECT_EQ(viewer->FindTypedRecord("x", 0, true), -1) << "the list stays where it is";
    EXPECT_EQ(viewer->CurrentRecordRow(), 0) << "typing is no click";
}

TEST(GoToPlacement, TheDialogOpensBesideTheWindow) {
    const ScreenBox screen{0, 0, 1024, 740};
    const auto at = [&](const ScreenBox& window) {
        const std::optional<ScreenBox> box = PlaceBeside(window, 250, 90, screen, 4);
        return box ? std::make_pair(box->left, box->top) : std::make_pair(-1, -1);
    };
    EXPECT_EQ(at({10, 20, 281, 350}), std::make_pair(295, 20)) << "to the right";
    EXPECT_EQ(at({700, 20, 281, 350}), std::make_pair(446, 20)) << "else to the left";
    EXPECT_EQ(at({0, 0, 1024, 400}), std::make_pair(0, 404)) << "else below";
    EXPECT_EQ(at({0, 300, 1024, 440}), std::make_pair(0, 206)) << "else above";
    EXPECT_EQ(at({10, 700, 281, 40}), std::make_pair(295, 650)) << "within the screen";
    EXPECT_EQ(at({0, 0, 1024, 740}), std::make_pair(-1, -1)) << "no room beside it";

    // The help window is as big as the window manager may have left no room for beside a
    // window in the middle: it takes the room there is, down to its least size.
    const auto help = [&](const ScreenBox& window) {
        const std::optional<ScreenBox> box = PlaceBeside(window, 560, 670, screen, 4, 320, 240);
        return box ? std::vector<int>{box->left, box->top, box->width, box->height}
                   : std::vector<int>{};
    };
    EXPECT_EQ(help({10, 20, 281, 350}), (std::vector<int>{295, 20, 560, 670})) << "all of it";
    EXPECT_EQ(help({371, 193, 281, 350}), (std::vector<int>{656, 70, 368, 670}))
        << "to the right, as wide as there is room, level with the window as far as it can";
    EXPECT_EQ(help({0, 0, 800, 300}), (std::vector<int>{0, 304, 560, 436})) << "below it";
    EXPECT_EQ(help({100, 100, 824, 540}), (std::vector<int>{})) << "less than the least";
}

TEST(GoToPlacement, TheFoundRowIsScrolledClearOfTheDialogs) {
    const RowPage page{100, 10, 11, 500};  // rows 100 to 109 whole, 110 cut
    const std::vector<bool> none(11, false);
    EXPECT_EQ(TopRowShowingClear(105, page, none), 100);
    EXPECT_EQ(TopRowShowingClear(110, page, none), 100) << "a cut row counts as shown";
    EXPECT_EQ(TopRowShowingClear(50, page, none), 50);
    EXPECT_EQ(TopRowShowingClear(300, page, none), 291);
    EXPECT_EQ(TopRowShowingClear(499, page, none), 490);

    std::vector<bool> firstFive(11, false);
    std::fill(firstFive.begin(), firstFive.begin() + 5, true);
    EXPECT_EQ(TopRowShowingClear(102, page, firstFive), 97) << "out from under the dialog";
    EXPECT_EQ(TopRowShowingClear(50, page, firstFive), 45) << "upwards, not to the top";
    EXPECT_EQ(TopRowShowingClear(300, page, firstFive), 291);
    EXPECT_EQ(TopRowShowingClear(107, page, firstFive), 100) << "already clear";
    const RowPage start{0, 10, 11, 500};
    EXPECT_EQ(TopRowShowingClear(2, start, firstFive), 0) << "the first rows cannot get clear";

    const RowPage small{0, 10, 11, 7};  // a table of 7 rows shows them all
    EXPECT_EQ(TopRowShowingClear(6, small, firstFive), 0);
    EXPECT_EQ(TopRowShowingClear(1, small, firstFive), 0);
}

}  // namespace
}  // namespace tessaro
