#include "HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tessaro {

HelpWindow::HelpWindow(const QString& fileName, QWidget* owner) : QTextBrowser(owner) {
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tessaro – Hilfe"));
    setOpenExternalLinks(false);
    resize(560, 640);
    setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()), QTextDocument::HtmlResource);
}

QString HelpWindow::FindHelpFile() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    // A help in the working folder wins, as it always did; beside the program is where the
    // build tree has it. An installed tree keeps it in share/tessaro: looked for relative
    // to the program first, so that a tree unpacked or moved elsewhere uses its own help,
    // then in the data folder the build was configured for.
    const QString folders[] = {
        QDir::currentPath(),
        programFolder,
        QDir(programFolder).filePath(QStringLiteral("../share/tessaro")),
        QFile::decodeName(TESSARO_DATA_DIR),
    };
    for (const QString& folder : folders) {
        const QString candidate = QDir(folder).filePath(QString::fromLatin1(kHelpFileName));
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

}  // namespace tessaro
