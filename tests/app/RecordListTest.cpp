// What only the widgets do: real mouse clicks and keys in the record list and its header,
// and the go-to dialog scrolling the real list.

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "WindowFixture.h"
#include "app/GoToDialog.h"
#include "app/RecordCellDelegate.h"

namespace tessaro {
namespace {

using test::MemoBuilder;
using test::ReadFile;

class RecordListTest : public test::WindowFixture {
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

    QPoint RowPoint(int row) const {
        return List()->visualRect(List()->Model()->index(row, 1)).center();
    }
    // Clicks as the user does: the mouse is there when the click is handled.
    void ClickAt(const QPoint& point, Qt::MouseButton button = Qt::LeftButton) {
        QCursor::setPos(List()->viewport()->mapToGlobal(point));
        QTest::mouseClick(List()->viewport(), button, {}, point);
    }
    int TopRow() const { return List()->indexAt(QPoint(5, 2)).row(); }
    std::int32_t CurrentRow() const { return window->Behaviour().CurrentRecordRow(); }

    GoToDialog* OpenGoTo() {
        window->Menu()->goTo->trigger();
        return window->findChildren<GoToDialog*>().back();
    }
    void Search(GoToDialog* dialog, const QString& text) {
        dialog->Field()->setText(text);
        dialog->findChild<QPushButton*>("IDOK")->click();
    }
};

TEST_F(RecordListTest, AClickSetsTheCurrentRowFromTheMousePosition) {
    StartWith(5);
    EXPECT_EQ(CurrentRow(), 0);
    ClickAt(RowPoint(3));
    EXPECT_EQ(CurrentRow(), 3);
    ClickAt(QPoint(5, List()->viewport()->height() - 2));
    EXPECT_EQ(CurrentRow(), -1) << "below the last row";
    ClickAt(RowPoint(1), Qt::RightButton);
    EXPECT_EQ(CurrentRow(), -1) << "a right click changes nothing";
    EXPECT_TRUE(port.boxes.empty());
}

TEST_F(RecordListTest, TheKeyboardDoesNotMoveTheCurrentRow) {
    StartWith(5);
    ClickAt(RowPoint(1));
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Down);
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(CurrentRow(), 1);
}

TEST_F(RecordListTest, ADoubleClickOpensTheMemoOfTheRow) {
    StartWith(5);
    port.answers = {BoxAnswer::Yes};
    const QPoint point = RowPoint(1);
    QCursor::setPos(List()->viewport()->mapToGlobal(point));
    // The second click of a double-click comes as a double-click event.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, point);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, "In Datei kopieren und anzeigen ?");
    EXPECT_EQ(test::ReadMemoText(dir.File("KUNDEN.tmp")), "Notiz zu Kunde 2\r\n");
    EXPECT_EQ(port.editorStarts, std::vector<std::string>{"KUNDEN.tmp"});
}

TEST_F(RecordListTest, AHeaderClickIsAnswered) {
    StartWith(5);
    QHeaderView* header = List()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionPosition(1) + 5, header->height() / 2));
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, "Überschrift");
    EXPECT_EQ(Cell(0, 0), "1") << "not sorted";
}

TEST_F(RecordListTest, GoToBringsTheRecordIntoViewAndNothingElse) {
    StartWith(500);
    List()->setCurrentIndex(List()->Model()->index(3, 0));
    ClickAt(RowPoint(3));
    GoToDialog* dialog = OpenGoTo();
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), "Gehe zu Satz ..");
    Search(dialog, "250");
    const QRect viewport = List()->viewport()->rect();
    EXPECT_TRUE(viewport.intersects(List()->visualRect(List()->Model()->index(249, 0))));
    EXPECT_EQ(List()->currentIndex().row(), 3) << "selection and focus stay";
    EXPECT_EQ(CurrentRow(), 3);
    EXPECT_TRUE(dialog->isVisible()) << "open for the next search";

    Search(dialog, "1");
    EXPECT_EQ(TopRow(), 0) << "scrolled back up to record 1";
    const int top = TopRow();
    Search(dialog, "2");
    EXPECT_EQ(TopRow(), top) << "a visible row causes no scrolling";
    Search(dialog, "501");
    EXPECT_EQ(TopRow(), top) << "nothing found, nothing changes";
}

TEST_F(RecordListTest, APartlyVisibleRowCountsAsVisible) {
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

// Where the row is on the screen, against where a dialog is.
bool UnderDialog(const RecordListView& list, int row, const QWidget& dialog) {
    const QRect rect = list.visualRect(list.Model()->index(row, 0));
    const QRect shown(list.viewport()->mapToGlobal(rect.topLeft()), rect.size());
    return shown.intersects(dialog.frameGeometry());
}

TEST_F(RecordListTest, WhatGoToFindsIsNeverUnderAGoToDialog) {
    StartWith(7);
    GoToDialog* dialog = OpenGoTo();
    for (int row = 0; row < 7; ++row) {
        EXPECT_FALSE(UnderDialog(*List(), row, *dialog)) << "opened beside the list: " << row;
    }
    dialog->close();
    MakeMemoTable("GROSS.DBF", 500);
    OpenByCommand(dir.File("GROSS.DBF"));
    dialog = OpenGoTo();
    // Moved over the first rows of the list by the user.
    dialog->move(List()->viewport()->mapToGlobal(QPoint(0, 0)));
    QCoreApplication::processEvents();
    ASSERT_TRUE(UnderDialog(*List(), 0, *dialog));
    Search(dialog, "3");
    EXPECT_TRUE(UnderDialog(*List(), 2, *dialog)) << "the first rows cannot be scrolled clear";
    for (const char* record : {"250", "240", "245", "60", "500"}) {
        Search(dialog, record);
        const int row = QString(record).toInt() - 1;
        EXPECT_TRUE(List()->viewport()->rect().intersects(
            List()->visualRect(List()->Model()->index(row, 0))))
            << record;
        EXPECT_FALSE(UnderDialog(*List(), row, *dialog)) << record;
    }
}

TEST_F(RecordListTest, AClickSelectsWithoutMovingTheView) {
    StartWith(500);
    QHeaderView* header = List()->header();
    // The last column cut at the right.
    window->resize(window->width() - List()->viewport()->width() + header->length() - 30, 300);
    QCoreApplication::processEvents();
    const int column = header->logicalIndexAt(List()->viewport()->width() - 3);
    ASSERT_GT(column, 0);
    ASSERT_GT(header->sectionPosition(column) + header->sectionSize(column),
              List()->viewport()->width())
        << "a cell cut at the right";
    const QPoint point(List()->viewport()->width() - 3, RowPoint(2).y());
    ClickAt(point);
    // The view of Qt moves to a clicked cell a moment after the click.
    QTest::qWait(QApplication::doubleClickInterval() + 300);
    EXPECT_EQ(List()->horizontalScrollBar()->value(), 0) << "record numbers stay in view";
    EXPECT_EQ(TopRow(), 0);
    EXPECT_EQ(List()->currentIndex().row(), 2) << "the row is selected";
    EXPECT_EQ(CurrentRow(), 2);
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(List()->horizontalScrollBar()->value(), 0) << "nor do the keys move it sideways";
}

TEST_F(RecordListTest, ATypedRecordNumberGoesToItsRow) {
    StartWith(500);
    ClickAt(RowPoint(3));  // a cell of the name column
    QTest::keyClicks(List(), QStringLiteral("40"));
    EXPECT_EQ(List()->currentIndex().row(), 39);
    EXPECT_TRUE(
        List()->viewport()->rect().intersects(List()->visualRect(List()->Model()->index(39, 0))));
    EXPECT_EQ(CurrentRow(), 3) << "typing is no click";
    QTest::qWait(QApplication::keyboardInputInterval() + 100);
    QTest::keyClicks(List(), QStringLiteral("x"));
    EXPECT_EQ(List()->currentIndex().row(), 39) << "what no number begins with: the place stays";
}

TEST_F(RecordListTest, EachGoToDialogClosesOnItsOwn) {
    Start();
    OpenGoTo();
    GoToDialog* second = OpenGoTo();
    EXPECT_EQ(window->findChildren<GoToDialog*>().size(), 2);
    second->findChild<QPushButton*>("IDCANCEL")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChildren<GoToDialog*>().size(), 1);
}

TEST(CellPainting, TrailingBlanksNeverCauseTheEllipsis) {
    const QFontMetrics metrics(QApplication::font());
    const QString name = QStringLiteral("Müller");
    const int room = metrics.horizontalAdvance(name) + 2;
    const QString stored = name + QString(94, QLatin1Char(' '));  // a character field of 100
    EXPECT_EQ(ShownCellText(stored, metrics, room), name) << "the whole value is visible";
    const QString longer = QStringLiteral("Müller-Lüdenscheidt");
    const QString shown = ShownCellText(longer + QStringLiteral("   "), metrics, room);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << "what does not fit is cut with the ellipsis";
    EXPECT_LE(metrics.horizontalAdvance(shown), room);
    EXPECT_EQ(ShownCellText(QStringLiteral("   "), metrics, room), "");
}

}  // namespace
}  // namespace tessaro
