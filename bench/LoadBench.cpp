// tessaro-load-bench: the viewer's whole load path, as "Datei -> Anzeigen" runs it, in a
// process of its own, so that its wall time and peak memory can be measured from outside.
//
//   tessaro-load-bench TABLE             start, open TABLE, paint the list, end
//   tessaro-load-bench --baseline        start, paint the empty window, end: what Qt costs
//   tessaro-load-bench --interact TABLE  the load path, then the median milliseconds of
//                                        scrolling, paging, the go-to search, a click,
//                                        and of the cells' share of a paint
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTranslator>

#include "QuietFrontEnd.h"
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "app/RecordListView.h"
#include "app/Resources.h"

namespace {

using tessaro::MainWindow;
using tessaro::RecordListModel;
using tessaro::RecordListView;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr int kRepetitions = 20;
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

constexpr const char* kUsage =
    "Aufruf: tessaro-load-bench TABELLE | --baseline | --interact TABELLE\n";

enum class Mode { Load, Baseline, Interact };

// Counts the paints of the window and of its record list, whichever list it holds at the
// time: a timed repaint that painted nothing measured nothing, and a window that the
// processed events have already painted needs no paint forced on top.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(const QWidget& window) : window_(window) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~PaintCounter() override { QCoreApplication::instance()->removeEventFilter(this); }

    int windowPaints = 0;
    int listPaints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            if (const auto* widget = qobject_cast<QWidget*>(watched);
                widget != nullptr && widget->window() == &window_) {
                ++windowPaints;
                const auto* list = qobject_cast<RecordListView*>(widget->parentWidget());
                if (list != nullptr && list->viewport() == widget) {
                    ++listPaints;
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QWidget& window_;
};

// Whether every timed step painted the list: a step that painted nothing measured nothing.
class PaintCheck {
public:
    explicit PaintCheck(const PaintCounter& counter) : counter_(counter) {}

    // Before a timed step: the paints so far do not count for it.
    void Start() { before_ = counter_.listPaints; }
    // After it: it must have painted; the next step counts from here.
    void Painted() {
        allPainted_ = allPainted_ && counter_.listPaints > before_;
        before_ = counter_.listPaints;
    }
    bool AllPainted() const { return allPainted_; }

private:
    const PaintCounter& counter_;
    int before_ = 0;
    bool allPainted_ = true;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The median milliseconds of `action`, each run after an untimed `prepare`.
double MedianMs(const std::function<void()>& prepare, const std::function<void()>& action) {
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < kRepetitions; ++i) {
        prepare();
        timer.start();
        action();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return Median(ms);
}

void Print(const char* what, double ms) { std::printf("%s\t%.3f\n", what, ms); }

// The start as the program's main() makes it: German texts for Qt's own dialogs too.
void SetUpApplication(QTranslator& qtGerman) {
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    tessaro::LoadResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/program.png")));
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtGerman);
    }
}

// Until everything posted is done, as the event loop would do it. When that has not
// painted what the window shows now (the list, once there is one), its paint is forced.
void PaintNow(MainWindow& window, const PaintCounter& counter) {
    const bool list = window.RecordList() != nullptr;
    const int before = list ? counter.listPaints : counter.windowPaints;
    QCoreApplication::processEvents();
    if ((list ? counter.listPaints : counter.windowPaints) == before) {
        (void)window.grab();
    }
}

// The row at the top of the list, and how many rows and columns it shows whole or in part.
int TopRow(const RecordListView& list) { return list.indexAt(QPoint(1, 1)).row(); }

struct ShownCells {
    int rows = 0;
    int firstColumn = 0;
    int lastColumn = 0;
};

ShownCells CellsShown(const RecordListView& list) {
    const QWidget* viewport = list.viewport();
    const int rowHeight = std::max(1, list.visualRect(list.Model()->index(0, 0)).height());
    const QHeaderView* header = list.header();
    int lastColumn = header->logicalIndexAt(viewport->width() - 1);
    if (lastColumn < 0) {
        lastColumn = header->count() - 1;
    }
    return {(viewport->height() + rowHeight - 1) / rowHeight,
            std::max(0, header->logicalIndexAt(0)), lastColumn};
}

// The texts and images of the cells a page shows, as the list asks for them when it draws
// them, without drawing: the part of a paint that a cache of drawn rows could save.
void AskForPage(const RecordListModel& model, int firstRow, const ShownCells& shown) {
    for (int row = firstRow; row < firstRow + shown.rows; ++row) {
        for (int column = shown.firstColumn; column <= shown.lastColumn; ++column) {
            const QModelIndex index = model.index(row, column);
            (void)model.data(index, Qt::DecorationRole);
            (void)model.data(index, Qt::DisplayRole);
        }
    }
}

void PressKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

// Page by page from the top, each step onto rows not drawn before: the Page Down key, which
// moves the cursor a page and the list with it, and the scroll bar's page step, which moves
// the list alone. `moved` turns false when a step left the top row where it was.
void MeasurePaging(RecordListView* list, const std::function<void()>& repaint, PaintCheck& check,
                   bool& moved) {
    const auto step = [&](const std::function<void()>& page) {
        return [&, page] {
            const int before = TopRow(*list);
            page();
            repaint();
            check.Painted();
            moved = moved && TopRow(*list) > before;
        };
    };
    list->scrollToTop();
    list->setCurrentIndex(list->Model()->index(0, 0));
    PressKey(list, Qt::Key_PageDown);  // the cursor to the foot of the first page
    repaint();
    check.Start();
    Print("page_ms", MedianMs([] {}, step([list] { PressKey(list, Qt::Key_PageDown); })));

    list->scrollToTop();
    repaint();
    check.Start();
    Print("page_bar_ms",
          MedianMs([] {}, step([list] {
                       list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
                   })));
}

// Whether a cache of recently drawn rows could pay: a repaint of rows just drawn, and the
// asking for the texts of a page's cells alone, each page one not asked for before.
void MeasureCellShare(RecordListView* list, const std::function<void()>& repaint,
                      PaintCheck& check) {
    list->scrollToTop();
    repaint();
    check.Start();
    Print("repaint_ms", MedianMs([] {},
                                 [&] {
                                     repaint();
                                     check.Painted();
                                 }));
    const ShownCells shown = CellsShown(*list);
    const int lastFirstRow = list->Model()->rowCount() - shown.rows;
    int firstRow = lastFirstRow / 2;
    Print("cells_ms", MedianMs([&] { firstRow = std::min(firstRow + shown.rows, lastFirstRow); },
                               [&] { AskForPage(*list->Model(), firstRow, shown); }));
    std::printf("cells_per_page\t%d\n", shown.rows * (shown.lastColumn - shown.firstColumn + 1));
}

// Scrolling, the go-to search and clicks, each timed with the repaint it causes.
int MeasureInteraction(MainWindow& window, const PaintCounter& counter) {
    RecordListView* list = window.RecordList();
    QWidget* viewport = list->viewport();
    const auto repaint = [viewport] { viewport->repaint(); };
    const auto toTop = [list, &repaint] {
        list->scrollToTop();
        repaint();
    };
    const int lastRow = list->Model()->rowCount() - 1;
    PaintCheck check(counter);

    Print("scroll_ms", MedianMs(toTop, [&] {
              check.Start();
              list->scrollToBottom();
              repaint();
              check.Painted();
          }));
    bool pagesMoved = true;
    MeasurePaging(list, repaint, check, pagesMoved);
    Print("search_ms", MedianMs(toTop, [&] {
              check.Start();
              window.Behaviour().SearchRecord(std::to_string(lastRow + 1));
              repaint();
              check.Painted();
          }));

    // Rows 3 and 5 in turn, so that every click lands on another row than the last.
    int clickRow = 0;
    const auto pointAtNextRow = [&] {
        list->scrollToTop();
        repaint();
        clickRow = clickRow == 3 ? 5 : 3;
        const QRect cell = list->visualRect(list->Model()->index(clickRow, 1));
        QCursor::setPos(viewport->mapToGlobal(cell.center()));
        check.Start();
    };
    bool clicksHit = true;
    Print("click_ms", MedianMs(pointAtNextRow, [&] {
              window.Behaviour().OnRowClick(list->HitTest(QCursor::pos()));
              repaint();
              check.Painted();
              clicksHit = clicksHit && window.Behaviour().CurrentRecordRow() == clickRow;
          }));
    // The same click as the mouse makes it: press and release through the list, which
    // also moves the selection and then notifies.
    Print("mouse_click_ms", MedianMs(pointAtNextRow, [&] {
              const QPoint local = viewport->mapFromGlobal(QCursor::pos());
              const QPointF global = QCursor::pos();
              QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier);
              QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton,
                                  Qt::NoButton, Qt::NoModifier);
              QCoreApplication::sendEvent(viewport, &press);
              QCoreApplication::sendEvent(viewport, &release);
              repaint();
              check.Painted();
              clicksHit = clicksHit && window.Behaviour().CurrentRecordRow() == clickRow;
          }));
    MeasureCellShare(list, repaint, check);

    if (!check.AllPainted()) {
        std::fputs("tessaro-load-bench: die Liste wurde nicht bei jedem Schritt gezeichnet\n",
                   stderr);
        return kExitFailed;
    }
    if (!pagesMoved) {
        std::fputs("tessaro-load-bench: ein Schritt um eine Seite bewegte die Liste nicht\n",
                   stderr);
        return kExitFailed;
    }
    if (!clicksHit) {
        std::fputs("tessaro-load-bench: ein Klick traf nicht die Zeile unter der Maus\n", stderr);
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    Mode mode = Mode::Load;
    QString table;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--baseline") {
        mode = Mode::Baseline;
    } else if (args.size() == 2 && args[0] == "--interact") {
        mode = Mode::Interact;
        table = QString::fromLocal8Bit(argv[2]);
    } else if (args.size() == 1 && !args[0].starts_with("--")) {
        table = QString::fromLocal8Bit(argv[1]);
    } else {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    if (!table.isEmpty()) {
        if (!QFileInfo(table).isFile()) {
            std::fprintf(stderr, "tessaro-load-bench: %s: keine Datei\n", qPrintable(table));
            return kExitFailed;
        }
        // The dialog answers with a whole path, and the run takes place in another folder.
        table = QFileInfo(table).absoluteFilePath();
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QTranslator qtGerman;
    SetUpApplication(qtGerman);

    // An empty working folder: the automatic open at start finds no table there, and the
    // load is the open command's alone.
    const QString previousFolder = QDir::currentPath();
    QTemporaryDir emptyFolder;
    if (!emptyFolder.isValid() || !QDir::setCurrent(emptyFolder.path())) {
        std::fputs("tessaro-load-bench: kein leerer Arbeitsordner\n", stderr);
        return kExitFailed;
    }

    int exitCode = kExitOk;
    {
        tessaro::bench::QuietFrontEnd port(table);
        MainWindow window(port);
        const PaintCounter counter(window);
        window.show();
        QCoreApplication::processEvents();  // the window's own start-up steps run first
        window.resize(kWindowWidth, kWindowHeight);
        PaintNow(window, counter);

        if (mode != Mode::Baseline) {
            QElapsedTimer timer;
            timer.start();
            window.Menu()->open->trigger();
            const double loadMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            const int paintsInCommand = counter.listPaints;
            timer.start();
            PaintNow(window, counter);
            const double paintMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;

            RecordListView* list = window.RecordList();
            if (port.boxes > 0 || list == nullptr || list->isHidden()) {
                std::fprintf(stderr, "tessaro-load-bench: %s wurde nicht geladen\n",
                             qPrintable(table));
                exitCode = kExitFailed;
            } else if (mode == Mode::Interact) {
                Print("load_ms", loadMs);
                Print("first_paint_ms", paintMs);
                std::printf("list_paints_in_command\t%d\nlist_paints_after_command\t%d\n",
                            paintsInCommand, counter.listPaints - paintsInCommand);
                exitCode = MeasureInteraction(window, counter);
            }
        }
    }
    QDir::setCurrent(previousFolder);
    return exitCode;
}
