#include <QCursor>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "WindowFixture.h"
#include "app/GoToDialog.h"
#include "app/RecordSelection.h"

namespace tessaro {
namespace {

using test::MemoBuilder;
using test::ReadFile;
using test::TableBuilder;

class RecordSelectionTest : public test::WindowFixture {
protected:
    // A table of `records` records; record 2 refers to a memo.
    void StartWith(int records) {
        MakeMemoTable("KUNDEN.DBF", records);
        MemoBuilder(512).Memo(1, "Notiz zu Kunde 2").WriteTo(dir.File("KUNDEN.DBT"));
        Start();
        window->resize(400, 300);
        QCoreApplication::processEvents();
        ASSERT_NE(List(), nullptr);
    }

    // Puts the mouse over a point of the list's rows and reports a notification.
    void NotifyAt(const QPoint& viewportPoint, int code) {
        QCursor::setPos(List()->viewport()->mapToGlobal(viewportPoint));
        emit List()->Notify(code);
    }
    QPoint RowPoint(int row) const {
        return List()->visualRect(List()->Model()->index(row, 1)).center();
    }
    int TopRow() const { return List()->indexAt(QPoint(5, 2)).row(); }
    GoToDialog* OpenGoTo() {
        window->OnCommand(IDM_GOTO);
        return window->findChildren<GoToDialog*>().back();
    }
    void Search(GoToDialog* dialog, const QString& text) {
        dialog->Field()->setText(text);
        dialog->findChild<QPushButton*>("BoxAnswer::Ok")->click();
    }
};

TEST_F(RecordSelectionTest, AClickSetsTheCurrentRowFromTheMousePosition) {
    StartWith(5);
    EXPECT_EQ(window->CurrentRecordRow(), 0);
    NotifyAt(RowPoint(3), NM_CLICK);
    EXPECT_EQ(window->CurrentRecordRow(), 3);
    NotifyAt(QPoint(5, List()->viewport()->height() - 2), NM_CLICK);
    EXPECT_EQ(window->CurrentRecordRow(), -1) << "below the last row";
    NotifyAt(RowPoint(1), NM_RCLICK);
    EXPECT_EQ(window->CurrentRecordRow(), -1) << "a right click changes nothing";
    EXPECT_TRUE(port.boxes.empty());
}

TEST_F(RecordSelectionTest, ARealMouseClickIsReported) {
    StartWith(5);
    const QPoint point = RowPoint(2);
    QCursor::setPos(List()->viewport()->mapToGlobal(point));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, point);
    EXPECT_EQ(window->CurrentRecordRow(), 2);
}

TEST_F(RecordSelectionTest, TheKeyboardDoesNotMoveTheCurrentRow) {
    StartWith(5);
    NotifyAt(RowPoint(1), NM_CLICK);
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Down);
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(window->CurrentRecordRow(), 1);
}

TEST_F(RecordSelectionTest, ADoubleClickAsksForTheMemoOfTheRow) {
    StartWith(5);
    port.answers = {BoxAnswer::Yes};
    NotifyAt(RowPoint(1), NM_DBLCLK);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, "In Datei kopieren und anzeigen ?");
    EXPECT_EQ(port.boxes[0].owner, static_cast<WindowHandle>(window.get()));
    EXPECT_EQ(ReadFile(dir.File("KUNDEN.tmp")), "Notiz zu Kunde 2\r\n");
    EXPECT_EQ(port.editorStarts, std::vector<std::string>{"KUNDEN.tmp"}) << "relative, as the table";
    EXPECT_FALSE(MemoItem()->isEnabled()) << "a double-click works whatever the menu says";
}

TEST_F(RecordSelectionTest, TheMemoCommandUsesTheRowLastClicked) {
    StartWith(5);
    NotifyAt(RowPoint(1), NM_CLICK);
    List()->setCurrentIndex(List()->Model()->index(4, 0));  // the highlight moves elsewhere
    port.answers = {BoxAnswer::Yes};
    window->OnCommand(IDM_MEMO);
    EXPECT_EQ(ReadFile(dir.File("KUNDEN.tmp")), "Notiz zu Kunde 2\r\n");
    port.boxes.clear();
    NotifyAt(RowPoint(0), NM_CLICK);
    window->OnCommand(IDM_MEMO);
    EXPECT_TRUE(port.boxes.empty()) << "record 1 has no memo: not even the question";
}

TEST_F(RecordSelectionTest, AHeaderClickAnswersAndChangesNothing) {
    StartWith(5);
    emit List()->Notify(LVN_COLUMNCLICK);
    emit List()->Notify(LVN_COLUMNCLICK);
    ASSERT_EQ(port.boxes.size(), 2u);
    EXPECT_EQ(port.boxes[0].text, "Überschrift");
    EXPECT_EQ(port.boxes[0].caption, "Tessaro");
    EXPECT_EQ(port.boxes[0].style, BoxButtons::Ok | BoxIcon::None);
    EXPECT_EQ(port.boxes[0].owner, nullptr);
    EXPECT_EQ(Cell(0, 0), "1") << "not sorted";
}

TEST_F(RecordSelectionTest, ARealHeaderClickIsReported) {
    StartWith(5);
    QHeaderView* header = List()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionPosition(1) + 5, header->height() / 2));
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, "Überschrift");
}

TEST_F(RecordSelectionTest, GoToBringsTheRecordIntoViewAndNothingElse) {
    StartWith(500);
    List()->setCurrentIndex(List()->Model()->index(3, 0));
    NotifyAt(RowPoint(3), NM_CLICK);
    GoToDialog* dialog = OpenGoTo();
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), "Gehe zu Satz ..");
    Search(dialog, "250");
    const QRect viewport = List()->viewport()->rect();
    EXPECT_TRUE(viewport.intersects(List()->visualRect(List()->Model()->index(249, 0))));
    EXPECT_EQ(List()->currentIndex().row(), 3) << "selection and focus stay";
    EXPECT_EQ(window->CurrentRecordRow(), 3);
    EXPECT_TRUE(dialog->isVisible()) << "open for the next search";

    Search(dialog, "1");
    EXPECT_EQ(TopRow(), 0) << "scrolled back up to record 1";
    const int top = TopRow();
    Search(dialog, "2");
    EXPECT_EQ(TopRow(), top) << "a visible row causes no scrolling";
    Search(dialog, "501");
    Search(dialog, "abc");
    Search(dialog, " 1");
    EXPECT_EQ(TopRow(), top) << "nothing found, nothing changes";
}

TEST_F(RecordSelectionTest, APartlyVisibleRowCountsAsVisible) {
    StartWith(500);
    const int rowHeight = List()->visualRect(List()->Model()->index(0, 0)).height();
    const int fullRows = List()->viewport()->height() / rowHeight;
    ASSERT_GT(List()->viewport()->height() % rowHeight, 0) << "the last row must be cut";
    GoToDialog* dialog = OpenGoTo();
    Search(dialog, QString::number(fullRows + 1));  // the partly visible row below the full ones
    EXPECT_EQ(TopRow(), 0);
    Search(dialog, QString::number(fullRows + 5));
    EXPECT_GT(TopRow(), 0);
}

TEST_F(RecordSelectionTest, EveryGoToCommandOpensOneMoreDialog) {
    Start();
    OpenGoTo();
    GoToDialog* second = OpenGoTo();
    EXPECT_EQ(window->findChildren<GoToDialog*>().size(), 2);
    Search(second, "1");  // no list yet: nothing happens
    second->findChild<QPushButton*>("BoxAnswer::Cancel")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChildren<GoToDialog*>().size(), 1);
}

TEST_F(RecordSelectionTest, ADialogSearchesTheTableShownNow) {
    StartWith(5);
    GoToDialog* dialog = OpenGoTo();
    TableBuilder table;
    table.Field("NR", 'N', 4);
    for (int i = 0; i < 300; ++i) {
        table.Record({std::to_string(i)});
    }
    table.WriteTo(dir.File("gross.dbf"));
    OpenByCommand(dir.File("gross.dbf"));
    Search(dialog, "280");
    EXPECT_TRUE(List()->viewport()->rect().intersects(List()->visualRect(List()->Model()->index(279, 0))));
}

}  // namespace
}  // namespace tessaro
