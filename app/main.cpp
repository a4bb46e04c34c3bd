// Tessaro: a read-only viewer for dBASE tables.

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/MainWindow.h"
#include "app/QtDesktop.h"
#include "app/Resources.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tessaro.Tessaro"));
    tessaro::KeepNoQtSettings();
    tessaro::LoadResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/program.png")));
    // German everywhere, the standard dialogs of Qt included.
    QTranslator qtGerman;
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtGerman);
    }

    tessaro::QtDesktop desktop;
    tessaro::MainWindow window(desktop);
    // The end of the desktop session ends the program as the window's close would.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.Behaviour().End(); });
    window.show();
    application.exec();
    window.Behaviour().State().access.files.CloseAll();
    // Command-line arguments are ignored, and the program always ends with 0.
    return 0;
}
