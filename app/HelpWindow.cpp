#include "HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QTextDocument>

#include <new>

#include "fileio/SmallFile.h"
#include "viewer/Viewer.h"

namespace tessaro {

HelpWindow::HelpWindow(const QString& fileName, QWidget* owner) : QTextBrowser(owner) {
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tessaro – Hilfe"));
    setOpenExternalLinks(false);
    resize(560, 640);
    setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()),
              QTextDocument::HtmlResource);
}

QVariant HelpWindow::loadResource(int type, const QUrl& name) {
    if (!name.isLocalFile()) {
        return QTextBrowser::loadResource(type, name);
    }
    try {
        return LoadLocalFile(type, name);
    } catch (const std::bad_alloc&) {
        ranOutOfMemory_ = true;
        return QByteArray("", 0);
    }
}

QVariant HelpWindow::LoadLocalFile(int type, const QUrl& name) {
    const std::optional<std::string> content = ReadSmallFile(
        QFile::encodeName(name.toLocalFile()).toStdString(), Viewer::kHelpFileMaxBytes);
    const QByteArray bytes = content ? QByteArray::fromStdString(*content) : QByteArray("", 0);
    if (type == QTextDocument::ImageResource) {
        // Decoded here: for anything else the document would open the file by its name.
        QImage image = QImage::fromData(bytes);
        if (image.isNull()) {
            image = QImage(1, 1, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
        }
        return image;
    }
    if (type == QTextDocument::HtmlResource || type == QTextDocument::MarkdownResource) {
        return QString::fromUtf8(bytes);
    }
    // Empty, not null: for a null answer the document would read the file itself.
    return bytes;
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

}  // namespace tessaro
