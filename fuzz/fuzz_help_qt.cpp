// The bounded help read by Qt's own rich text reader, on any bytes: the limits hold in the
// document it builds. The bounds count what the reader will make of the HTML they write;
// this checks that count against the reader itself (it found that the reader puts a table
// written between the rows of another into the table before it).

#include <QGuiApplication>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "viewer/HelpHtml.h"

using namespace tessaro;
using namespace tessaro::fuzz;

namespace {

int TableDepth(const QTextFrame& frame) {
    int deepest = 0;
    for (const QTextFrame* child : frame.childFrames()) {
        deepest = std::max(deepest, TableDepth(*child));
    }
    return deepest + (qobject_cast<const QTextTable*>(&frame) != nullptr ? 1 : 0);
}

std::int64_t TableCells(const QTextFrame& frame) {
    const auto* table = qobject_cast<const QTextTable*>(&frame);
    std::int64_t cells = table != nullptr ? std::int64_t{table->rows()} * table->columns() : 0;
    for (const QTextFrame* child : frame.childFrames()) {
        cells += TableCells(*child);
    }
    return cells;
}

}  // namespace

// The reader needs an application of Qt's GUI: one without a display, for the whole run.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    (void)argc;
    new QGuiApplication(qtArgc, qtArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bounded =
        BoundedHelpHtml(std::string_view(reinterpret_cast<const char*>(data), size));
    QTextDocument document;
    document.setHtml(QString::fromStdString(bounded));
    Require(TableDepth(*document.rootFrame()) <= HelpHtmlLimits::kDeepestTables,
            "tables nested within the limit in Qt's document");
    Require(TableCells(*document.rootFrame()) <= HelpHtmlLimits::kMostTableCells,
            "table grids within the limit in Qt's document");
    return 0;
}
