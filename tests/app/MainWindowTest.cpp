#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTextBrowser>
#include <QTextTable>

#include <sys/stat.h>

#include "WindowFixture.h"
#include "app/ClientArea.h"
#include "app/HelpWindow.h"
#include "app/MessageBoxes.h"
#include "app/RecordCellDelegate.h"
#include "app/StatusLine.h"
#include "app/VersionBox.h"
#include "support/FailingAllocations.h"
#include "table/CodePage.h"
#include "viewer/HelpHtml.h"

namespace tessaro {
namespace {

using test::FailingAllocations;
using test::TableBuilder;

class MainWindowTest : public test::WindowFixture {
protected:
    // "Hilfe" on `html` as the help of the working folder: its document, laid out whole.
    QTextDocument* ShowPlantedHelp(const std::string& html) {
        test::WriteFile(dir.File("tessaro.hlp"), html);
        Start();
        window->Menu()->help->trigger();
        const QList<QTextBrowser*> helps = window->findChildren<QTextBrowser*>();
        if (helps.size() != 1) {
            return nullptr;
        }
        helps[0]->document()->documentLayout()->documentSize();
        return helps[0]->document();
    }
};

TEST_F(MainWindowTest, StartsWithTheMenuTheStatusLineAndNoList) {
    Start();
    EXPECT_EQ(window->windowTitle(), "Tessaro");
    EXPECT_EQ(window->Client()->Status()->text(), "Bitte wählen Sie eine DBase Datei zur Ansicht");
    EXPECT_EQ(List(), nullptr);
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 4);
    EXPECT_EQ(bar[0]->text(), "&Datei");
    EXPECT_EQ(bar[1]->text(), "&Zeichensatz");
    EXPECT_TRUE(bar[2]->isSeparator()) << "what follows stands at the right end";
    EXPECT_EQ(bar[3]->text(), "&Hilfe");
    EXPECT_GT(window->menuBar()->actionGeometry(bar[3]).left(), window->menuBar()->width() / 2);
    QStringList codePageItems;
    for (QAction* item : bar[1]->menu()->actions()) {
        codePageItems << (item->isSeparator() ? "-" : item->text());
    }
    EXPECT_EQ(codePageItems, QStringList({"Automatisch", "-", "DOS (deutsche Umlaute)", "UTF-8",
                                          "Windows", "DOS", "ISO 8859", "Ostasien", "Weitere"}));
    EXPECT_TRUE(window->Menu()->automatic->isChecked());
    EXPECT_EQ(window->Menu()->codePages.size(), static_cast<qsizetype>(KnownCodePages().size()));
    QStringList fileItems;
    for (QAction* item : bar[0]->menu()->actions()) {
        fileItems << (item->isSeparator() ? "-" : item->text());
    }
    EXPECT_EQ(fileItems,
              QStringList({"&Anzeigen", "&Memofeld öffnen", "&Gehe zu Satz ..", "-", "&Ende"}));
    QStringList helpItems;
    for (QAction* item : bar[3]->menu()->actions()) {
        helpItems << (item->isSeparator() ? "-" : item->text());
    }
    EXPECT_EQ(helpItems, QStringList({"&Hilfe\tF1", "-", "&Version"}));
    EXPECT_FALSE(window->Menu()->memo->isEnabled());
    EXPECT_TRUE(window->Menu()->help->shortcut().isEmpty()) << "F1 is text only";
}

TEST_F(MainWindowTest, AnItemOfTheCodePageMenuShowsTheTableInItAtOnce) {
    // Czech text of Windows-1250 that names no code page: read by the German DOS rule.
    TableBuilder()
        .Field(test::Bytes({'M', 0xEC, 'S', 'T', 'O'}), 'C', 9)
        .Record({test::Bytes({'J', 'i', 'h', 'o', 0xE8, 'e', 's', 'k', 0xFD})})
        .WriteTo(dir.File("kraj.dbf"));
    Start();
    const auto heading = [this] {
        return List()->Model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    EXPECT_EQ(Cell(0, 1), "Jihoèeský");
    EXPECT_EQ(heading(), "MìSTO");
    EXPECT_EQ(window->Menu()->automatic->text(),
              "Automatisch: DOS mit deutschen Umlauten (Voreinstellung)");
    QAction* central = nullptr;
    for (QAction* action : window->Menu()->codePages) {
        if (action->data().toInt() == 1250) {
            central = action;
        }
    }
    ASSERT_NE(central, nullptr);
    EXPECT_EQ(central->text(), "Windows-1250 (Mitteleuropa)");
    central->trigger();
    EXPECT_EQ(Cell(0, 1), "Jihočeský");
    EXPECT_EQ(heading(), "MěSTO");
    EXPECT_TRUE(central->isChecked());
    window->Menu()->automatic->trigger();
    EXPECT_EQ(Cell(0, 1), "Jihoèeský");
    EXPECT_TRUE(window->Menu()->automatic->isChecked());
}

TEST_F(MainWindowTest, TheOneTableOfTheFolderIsShownAtStart) {
    MakeMemoTable("KUNDEN.DBF");
    Start();
    ASSERT_NE(List(), nullptr);
    EXPECT_TRUE(List()->isVisible());
    EXPECT_EQ(window->Client()->Status()->text(), "KUNDEN.DBF, 3 Records, Format DBase 5");
    EXPECT_FALSE(window->Menu()->memo->isEnabled())
        << "the automatic open leaves the memo item alone";
    ASSERT_EQ(List()->Model()->rowCount(), 3);
    EXPECT_EQ(Cell(0, 0), "1");
    EXPECT_EQ(Cell(2, 0), "3");
    EXPECT_EQ(Cell(1, 1), "Kunde 2   ");
    EXPECT_EQ(Cell(1, 2), "Block: 1");
    EXPECT_FALSE(List()->Model()->data(List()->Model()->index(0, 0), Qt::DecorationRole).isNull());
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(window->focusWidget(), List()) << "the keys go to the list at once";
}

TEST_F(MainWindowTest, TheMemoItemFollowsTheTableOpenedByCommand) {
    MakeMemoTable("mit.dbf");
    test::TableBuilder().Field("A", 'C', 1).WriteTo(dir.File("ohne.dbf"));
    Start();
    RecordListView* first = List();
    OpenByCommand(dir.File("mit.dbf"));
    EXPECT_TRUE(window->Menu()->memo->isEnabled());
    EXPECT_NE(List(), first) << "a fresh list";
    EXPECT_EQ(port.dialogOwner, window.get());
    OpenByCommand(dir.File("ohne.dbf"));
    EXPECT_FALSE(window->Menu()->memo->isEnabled());
}

// A drop as a file manager gives it: entered, then dropped, on a widget of the window.
bool Drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

TEST_F(MainWindowTest, ATableDroppedOnTheWindowOpensAsIfChosen) {
    MakeMemoTable("erste.dbf", 4);
    MakeMemoTable("zweite.dbf", 6);
    Start();
    ASSERT_EQ(List(), nullptr) << "two tables: none at start";
    EXPECT_FALSE(Drop(window->Client(), {QUrl(QStringLiteral("https://example.org/t.dbf"))}))
        << "only files of this machine";
    ASSERT_TRUE(Drop(window->Client(),
                     {QUrl::fromLocalFile(QString::fromStdString(dir.File("erste.dbf"))),
                      QUrl::fromLocalFile(QString::fromStdString(dir.File("zweite.dbf")))}));
    ASSERT_NE(List(), nullptr);
    EXPECT_TRUE(List()->isVisible());
    EXPECT_EQ(Status(),
              QString::fromStdString(dir.File("erste.dbf")) + ", 4 Records, Format DBase 5");
    EXPECT_TRUE(window->Menu()->memo->isEnabled());
    EXPECT_TRUE(port.dialogRequests.empty());
    EXPECT_EQ(window->focusWidget(), List()) << "the keys go to the list at once";

    ASSERT_TRUE(Drop(List()->viewport(),
                     {QUrl::fromLocalFile(QString::fromStdString(dir.File("zweite.dbf")))}))
        << "also on the list";
    EXPECT_EQ(List()->Model()->rowCount(), 6);

    // A folder is no table: no drop cursor, and the table shown stays.
    EXPECT_FALSE(
        Drop(List()->viewport(), {QUrl::fromLocalFile(QString::fromStdString(dir.Path()))}));
    EXPECT_TRUE(List()->isVisible());
    EXPECT_EQ(List()->Model()->rowCount(), 6);
    EXPECT_TRUE(port.boxes.empty());
}

// A file manager percent-encodes the bytes of a name as they are on disk: a Latin-1 name is
// no UTF-8, and its file must open all the same.
TEST_F(MainWindowTest, ADroppedTableWhoseNameIsNoUtf8Opens) {
    const std::string name = dir.File("k\xe4se.dbf");
    MakeMemoTable("k\xe4se.dbf", 4);
    MakeMemoTable("andere.dbf");
    Start();
    const QUrl url =
        QUrl::fromEncoded("file://" + QByteArray::fromStdString(name).toPercentEncoding("/"));
    ASSERT_TRUE(url.isLocalFile()) << url.toString().toStdString();
    ASSERT_TRUE(Drop(window->Client(), {url}));
    ASSERT_NE(List(), nullptr);
    EXPECT_EQ(List()->Model()->rowCount(), 4);
    EXPECT_TRUE(port.boxes.empty()) << port.boxes[0].text;
}

// The widths were given in pixels of a small system font: what was whole there is whole
// here, in whatever font the list shows.
void ExpectColumnsFitTheirValues(const RecordListView& list) {
    const QHeaderView* header = list.header();
    const QFontMetrics metrics = list.fontMetrics();
    // Measured as the Windows list measures it: the letters, not the font's own average.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("%1%2").arg(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"),
                                   QStringLiteral("abcdefghijklmnopqrstuvwxyz")));
    ASSERT_EQ(list.Model()->columnCount(), 5);
    EXPECT_GE(header->sectionSize(0), list.iconSize().width() + metrics.horizontalAdvance("65536"))
        << "every record number whole beside its image";
    EXPECT_GE(header->sectionSize(3), 20 * letters / 52) << "20 bytes, 20 characters";
    EXPECT_GE(header->sectionSize(3), 20 * metrics.averageCharWidth());
    EXPECT_GE(header->sectionSize(2), 6 * letters / 52);
    EXPECT_LT(header->sectionSize(2), header->sectionSize(3));
    EXPECT_GT(header->sectionSize(1), header->sectionSize(3)) << "30 bytes capped, still wider";
    EXPECT_LT(header->sectionSize(1), 40 * letters / 52) << "but capped";
}

TEST_F(MainWindowTest, TheColumnsFollowTheFieldsInTheFontOfTheList) {
    TableBuilder(0x04)
        .Field("NAME", 'C', 30)
        .Field("ABCDEFGHIJKL", 'N', 6)
        .Field("AB", 'C', 20)
        .Field("GR\x99\xE1", 'C', 1)
        .WriteTo(dir.File("t.dbf"));
    Start();
    ASSERT_NE(List(), nullptr);
    EXPECT_EQ(List()->Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              "Satznr.");
    EXPECT_EQ(List()->Model()->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "GRÖß");
    ExpectColumnsFitTheirValues(*List());
    const int normal = List()->header()->sectionSize(3);

    const QFont previous = QApplication::font();
    QFont large = previous;
    large.setPointSizeF(previous.pointSizeF() * 2);
    QApplication::setFont(large);
    window.reset();
    Start();
    ExpectColumnsFitTheirValues(*List());
    EXPECT_GT(List()->header()->sectionSize(3), normal) << "a larger font, wider columns";
    QApplication::setFont(previous);
}

TEST_F(MainWindowTest, DatesTimestampsLogicalsAndBlocksAreShownWhole) {
    TableBuilder(0x04)
        .Field("L", 'L', 1)
        .Field("DATUM", 'D', 8)
        .Field("ZEIT", '@', 8)
        .Field("NOTIZ", 'M', 10)
        .Record({"F", "19990903", std::string(8, '\0'), "4294967295"})
        .WriteTo(dir.File("t.dbf"));
    Start();
    ASSERT_NE(List(), nullptr);
    const QFontMetrics metrics = List()->fontMetrics();
    const int margins = 2 * (List()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const QStringList whole = {"Nein", "03.09.1999", "03-09-1999  12:00:00", "Block: 4294967295"};
    for (int column = 1; column <= 4; ++column) {
        const QString& text = whole[column - 1];
        const int room = List()->header()->sectionSize(column) - margins;
        EXPECT_EQ(ShownCellText(text, metrics, room), text) << column;
    }
    EXPECT_EQ(Cell(0, 1), "Nein");
    EXPECT_EQ(Cell(0, 2), "03.09.1999");
    EXPECT_EQ(Cell(0, 4), "Block: 4294967295");
}

TEST_F(MainWindowTest, NoRowIsCurrentAfterALoad) {
    MakeMemoTable("t.dbf", 5);
    Start();
    ASSERT_NE(List(), nullptr);
    List()->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(List()->currentIndex().isValid()) << "no focus band on row 1";
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(List()->currentIndex().row(), 0) << "the first Down key goes to record 1";
    OpenByCommand(dir.File("t.dbf"));
    List()->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(List()->currentIndex().isValid()) << "nor after the open command";
}

TEST_F(MainWindowTest, TheListFillsTheWindowAboveTheStatusLine) {
    MakeMemoTable("t.dbf");
    Start();
    for (const QSize size : {QSize(281, 350), QSize(640, 480), QSize(200, 150)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        const QWidget* client = window->Client();
        EXPECT_EQ(List()->geometry(), QRect(0, 0, client->width() - 1, client->height() - 20));
    }
}

TEST_F(MainWindowTest, ThePictureIsCentredHalvesToEven) {
    Start();
    window->Client()->resize(301, 200);
    EXPECT_EQ(window->Client()->PictureOffset(), QPoint(116, 68));
}

TEST_F(MainWindowTest, EveryVersionCommandOpensOneMoreBox) {
    Start();
    window->Menu()->version->trigger();
    window->Menu()->version->trigger();
    QList<VersionBox*> boxes = window->findChildren<VersionBox*>();
    ASSERT_EQ(boxes.size(), 2);
    VersionBox* box = boxes[0];
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->windowTitle(), "über diese Version ...");
    EXPECT_GE(box->width(), CaptionRoom(*box, box->windowTitle())) << "the caption is not cut";
    QStringList lines;
    for (QLabel* label : box->findChildren<QLabel*>()) {
        lines << label->text();
    }
    EXPECT_EQ(lines, QStringList({"Tessaro 1.20", "für Win95 und NT 4.0",
                                  "öffnet Visual DBase 5 + 7 Dateien", "Build 2.1", "10.02.99",
                                  "Deutsch"}));
    int result = -1;
    QObject::connect(box, &QDialog::finished, [&result](int r) { result = r; });
    box->findChild<QPushButton*>()->click();
    EXPECT_EQ(result, 1);
    int closed = -1;
    QObject::connect(boxes[1], &QDialog::finished, [&closed](int r) { closed = r; });
    boxes[1]->reject();  // the close button and Escape
    EXPECT_EQ(closed, 0);
}

TEST_F(MainWindowTest, EndingBeepsClosesEveryFileAndQuitsWithZero) {
    MakeMemoTable("t.dbf");
    Start();
    ASSERT_NE(window->Behaviour()
                  .State()
                  .access.files.TryOpen(dir.File("t.dbf"), OpenMode::Binary)
                  .number,
              0);
    window->Menu()->end->trigger();
    EXPECT_EQ(port.beeps, 1);
    EXPECT_EQ(port.quits, std::vector<int>{0});
    EXPECT_EQ(window->Behaviour().State().access.files.OpenCount(), 0);
}

TEST_F(MainWindowTest, TheCloseButtonEndsTheSameWay) {
    Start();
    window->close();
    EXPECT_EQ(port.beeps, 1);
    EXPECT_EQ(port.quits, std::vector<int>{0});
}

TEST_F(MainWindowTest, AMissingHelpFileIsReportedOverTheWindow) {
    Start();
    window->Menu()->help->trigger();
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, "Die Hilfedatei tessaro.hlp wurde nicht gefunden.");
    EXPECT_EQ(port.boxes[0].owner, static_cast<WindowHandle>(static_cast<QWidget*>(window.get())));
}

TEST_F(MainWindowTest, HelpOpensOneWindowAtItsStartPage) {
    test::WriteFile(dir.File("tessaro.hlp"),
                    "<html><body><h1>Tessaro – Hilfe</h1><p>Erste Seite</p></body></html>");
    Start();
    window->Menu()->help->trigger();
    window->Menu()->help->trigger();
    QList<QTextBrowser*> helps = window->findChildren<QTextBrowser*>();
    ASSERT_EQ(helps.size(), 1);
    EXPECT_TRUE(helps[0]->isVisible());
    EXPECT_TRUE(helps[0]->toPlainText().contains("Erste Seite"));
    EXPECT_TRUE(port.boxes.empty());
    QTest::keyClick(helps[0], Qt::Key_Escape);
    EXPECT_FALSE(helps[0]->isVisible()) << "Escape closes it";
}

TEST_F(MainWindowTest, TheHelpShowsOnlySmallRegularFiles) {
    // A picture that is a FIFO would freeze the window for good, /dev/zero would fill the
    // memory: both are left out, the page is shown.
    ASSERT_EQ(::mkfifo(dir.File("bild.png").c_str(), 0600), 0);
    test::WriteFile(dir.File("tessaro.hlp"),
                    "<html><body><p>Seite</p><img src=\"bild.png\"><img src=\"/dev/zero\">"
                    "</body></html>");
    Start();
    window->Menu()->help->trigger();
    QList<QTextBrowser*> helps = window->findChildren<QTextBrowser*>();
    ASSERT_EQ(helps.size(), 1);
    EXPECT_TRUE(helps[0]->toPlainText().contains("Seite"));
}

// How deep a document's tables nest, and the cells of all their grids.
int TableDepth(const QTextFrame& frame) {
    int deepest = 0;
    for (const QTextFrame* child : frame.childFrames()) {
        deepest = std::max(deepest, TableDepth(*child));
    }
    return deepest + (qobject_cast<const QTextTable*>(&frame) != nullptr ? 1 : 0);
}
qint64 TableCells(const QTextFrame& frame) {
    const auto* table = qobject_cast<const QTextTable*>(&frame);
    qint64 cells = table != nullptr ? qint64{table->rows()} * table->columns() : 0;
    for (const QTextFrame* child : frame.childFrames()) {
        cells += TableCells(*child);
    }
    return cells;
}

// Any folder can bring its own help: Qt lays out tables in a time that grows with a power of
// how deep they nest (24 deep froze the window for good), and their grids take memory.
TEST_F(MainWindowTest, TheTablesOfAPlantedHelpReachTheDocumentBounded) {
    std::string html = "<html><body>";
    for (int i = 0; i < 10; ++i) {
        html += "<table><tr><td>";
    }
    html += "tief";
    for (int i = 0; i < 10; ++i) {
        html += "</td></tr></table>";
    }
    // Qt puts a table written between the rows of another into the table before it.
    html += "<table><tr><td>x</td></tr>";
    for (int i = 0; i < 10; ++i) {
        html += "<table><tr><td>y</td></tr></table>";
    }
    html += "</table><table>";
    for (int row = 0; row < 100; ++row) {
        html += "<tr>";
        for (int column = 0; column < 100; ++column) {
            html += "<td>";
        }
    }
    html += "</table><p>danach</p></body></html>";
    const QTextDocument* help = ShowPlantedHelp(html);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(TableDepth(*help->rootFrame()), HelpHtmlLimits::kDeepestTables);
    EXPECT_LE(TableCells(*help->rootFrame()), HelpHtmlLimits::kMostTableCells);
    EXPECT_TRUE(help->toPlainText().contains("tief")) << "the text stays";
    EXPECT_TRUE(help->toPlainText().contains("danach"));
}

// A picture is read up to the size of a help, but decoded it takes 4 bytes a pixel, once for
// every name it is given ("s.png?1", "s.png?2", ...): a help of 3 KB took gigabytes.
TEST_F(MainWindowTest, ThePicturesOfAPlantedHelpTakeBoundedMemory) {
    QImage picture(600, 600, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    test::WriteFile(dir.File("s.png"), png.toStdString());
    std::string html = "<html><body><p>Bilder</p><img src=\"data:image/png;base64," +
                       png.toBase64().toStdString() + "\">";
    for (int i = 0; i < 80; ++i) {
        html += "<img src=\"s.png?" + std::to_string(i) + "\">";
    }
    QTextDocument* help = ShowPlantedHelp(html + "</body></html>");
    ASSERT_NE(help, nullptr);
    qint64 bytes = 0;
    int shown = 0;
    for (QTextBlock block = help->begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextCharFormat format = piece.fragment().charFormat();
            if (!format.isImageFormat()) {
                continue;
            }
            const QVariant resource =
                help->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
            const QImage image = resource.userType() == QMetaType::QByteArray
                                     ? QImage::fromData(resource.toByteArray())
                                     : resource.value<QImage>();
            shown += image.width() > 1 ? 1 : 0;
            bytes += image.sizeInBytes();
        }
    }
    EXPECT_GT(shown, 0) << "pictures within the bound are shown";
    EXPECT_LE(shown, HelpWindow::kMostPictures);
    EXPECT_LE(bytes, HelpWindow::kMostPictureBytes);
}

// The limits leave the help we ship as Qt reads it, and help written more loosely too.
TEST(HelpHtml, AHelpWithinTheLimitsReadsAsWritten) {
    QFile shipped(QStringLiteral(TESSARO_HELP_FILE));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    for (const std::string& html :
         {shipped.readAll().toStdString(),
          std::string("<P>eins<p>zwei <B>fett<p>drei<ul><li>a<li>b<ol><li>c</ul>nach"),
          std::string("<p title='a&amp;\\'b' class=x>Text<!-- weg -->  mit <br> Bruch</p>"),
          std::string("<table border=1><tr><td>a<td rowspan=2>b<tr><td>c</table><dl><dt>x<dd>y")}) {
        QTextDocument original;
        original.setHtml(QString::fromStdString(html));
        QTextDocument bounded;
        bounded.setHtml(QString::fromStdString(BoundedHelpHtml(html)));
        EXPECT_EQ(bounded.toHtml().toStdString(), original.toHtml().toStdString()) << html;
    }
}

constexpr const char* kOutOfMemory = "nicht genügend Arbeitsspeicher !\r\nMorvane wird beendet";

// Memory runs out in the viewer's read of the help, or in the help window's own, where Qt
// (which takes no exceptions) calls in: message 7 either way, and the next try works.
TEST_F(MainWindowTest, HelpThatMemoryDoesNotSufficeForIsMessage7AndTheWindowGoesOn) {
    test::WriteFile(dir.File("tessaro.hlp"), "<p>" + std::string(100 << 10, 'x') + "</p>");
    Start();
    for (const std::size_t failingFrom : {std::size_t{64} << 10, std::size_t{150} << 10}) {
        if (failingFrom > (100 << 10) && !FailingAllocations::MallocFails()) {
            continue;  // Qt's own allocations fail only where malloc can
        }
        SCOPED_TRACE(failingFrom);
        port.boxes.clear();
        {
            const FailingAllocations failing(failingFrom);
            window->Menu()->help->trigger();
            EXPECT_GT(failing.Failures(), 0);
        }
        EXPECT_EQ(port.boxes.size(), 1u);
        EXPECT_EQ(port.boxes.empty() ? "" : port.boxes[0].text, kOutOfMemory);
        EXPECT_TRUE(window->findChildren<QTextBrowser*>().empty());
        window->Menu()->help->trigger();
        QList<QTextBrowser*> helps = window->findChildren<QTextBrowser*>();
        ASSERT_EQ(helps.size(), 1) << "the help file was let go";
        EXPECT_TRUE(helps[0]->toPlainText().startsWith("xxx"));
        delete helps[0];
    }
}

// A load started by a drop runs where Qt calls in, as every command does.
TEST_F(MainWindowTest, ADropThatMemoryDoesNotSufficeForIsMessage7AndTheWindowGoesOn) {
    MakeMemoTable("erste.dbf");
    MakeMemoTable("zweite.dbf", 5);
    Start();
    {
        const FailingAllocations failing(128 << 10);  // the read buffer of the table
        EXPECT_TRUE(Drop(window->Client(),
                         {QUrl::fromLocalFile(QString::fromStdString(dir.File("erste.dbf")))}));
        EXPECT_GT(failing.Failures(), 0);
    }
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, kOutOfMemory);
    ASSERT_TRUE(Drop(window->Client(),
                     {QUrl::fromLocalFile(QString::fromStdString(dir.File("zweite.dbf")))}));
    ASSERT_NE(List(), nullptr);
    EXPECT_EQ(List()->Model()->rowCount(), 5) << "and it goes on";
}

TEST_F(MainWindowTest, ACellThatMemoryDoesNotSufficeForStaysEmptyAndMessage7Follows) {
    if (!FailingAllocations::MallocFails()) {
        GTEST_SKIP() << "Qt's allocations fail only where malloc can";
    }
    const std::string text(120, 'x');
    TableBuilder().Field("TEXT", 'C', 120).Record({text}).WriteTo(dir.File("t.dbf"));
    Start();
    ASSERT_EQ(Cell(0, 1).toStdString(), text);
    {
        const FailingAllocations failing(200);
        EXPECT_EQ(Cell(0, 1), QString());
        EXPECT_EQ(Cell(0, 1), QString());
        EXPECT_GT(failing.Failures(), 0);
    }
    EXPECT_TRUE(port.boxes.empty()) << "no box while the list draws";
    QCoreApplication::processEvents();
    ASSERT_EQ(port.boxes.size(), 1u) << "one box for the drawing";
    EXPECT_EQ(port.boxes[0].text, kOutOfMemory);
    EXPECT_EQ(Cell(0, 1).toStdString(), text);
}

}  // namespace
}  // namespace tessaro
