// tessaro-load-bench: the viewer's whole load path, as "Datei -> Anzeigen" runs it, in a
// process of its own, so that its wall time and peak memory can be measured from outside.
//
//   tessaro-load-bench TABLE             start, open TABLE, paint the list, end
//   tessaro-load-bench --baseline        start, paint the empty window, end: what Qt costs
//   tessaro-load-bench --interact TABLE  after the load, the median milliseconds of
//                                        scrolling, the go-to search and a click
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
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTranslator>

#include "QuietFrontEnd.h"
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "app/RecordListView.h"
#include "app/Resources.h"

namespace {

using tessaro::MainWindow;
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
    const int firstPaints = counter.listPaints;

    Print("scroll_ms", MedianMs(toTop, [&] {
              list->scrollToBottom();
              repaint();
          }));
    Print("search_ms", MedianMs(toTop, [&] {
              window.Behaviour().SearchRecord(std::to_string(lastRow + 1));
              repaint();
          }));

    // Rows 3 and 5 in turn, so that every click lands on another row than the last.
    int clickRow = 0;
    const auto pointAtNextRow = [&] {
        list->scrollToTop();
        repaint();
        clickRow = clickRow == 3 ? 5 : 3;
        const QRect cell = list->visualRect(list->Model()->index(clickRow, 1));
        QCursor::setPos(viewport->mapToGlobal(cell.center()));
    };
    bool clicksHit = true;
    Print("click_ms", MedianMs(pointAtNextRow, [&] {
              window.Behaviour().OnRowClick(list->HitTest(QCursor::pos()));
              repaint();
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
              clicksHit = clicksHit && window.Behaviour().CurrentRecordRow() == clickRow;
          }));

    if (counter.listPaints - firstPaints < 4 * 2 * kRepetitions) {
        std::fputs("tessaro-load-bench: die Liste wurde nicht bei jedem Schritt gezeichnet\n",
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
