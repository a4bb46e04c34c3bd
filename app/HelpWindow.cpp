#include "HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
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
    for (const QString& folder : {QDir::currentPath(), QCoreApplication::applicationDirPath()}) {
        const QString candidate = QDir(folder).filePath(QString::fromLatin1(kHelpFileName));
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

}  // namespace tessaro
