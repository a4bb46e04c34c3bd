#include "HelpWindow.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QTextDocument>

#include <algorithm>
#include <new>

#include "app/DialogUnits.h"
#include "app/OwnerPlacement.h"
#include "fileio/SmallFile.h"
#include "viewer/HelpHtml.h"
#include "viewer/Viewer.h"

namespace tessaro {

namespace {

// What a picture that is not shown shows: nothing, in one pixel.
QImage NoPicture() {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// What the document is given for anything it does not get: empty, never null, for which
// it would read the file itself.
QVariant Nothing(int type) {
    if (type == QTextDocument::ImageResource) {
        return NoPicture();
    }
    return QByteArray("", 0);
}

// The formats decoded: those of pictures in documents, whose readers Qt brings itself.
bool IsPictureFormat(const QByteArray& format) {
    return format == "png" || format == "jpeg" || format == "gif" || format == "bmp";
}

}  // namespace

HelpWindow::HelpWindow(const QString& fileName, QWidget* owner) : QTextBrowser(owner) {
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tessaro – Hilfe"));
    setOpenExternalLinks(false);
    resize(560, 640);
    // Beside the window, which stays in sight (smaller where that takes it); over it only
    // when the screen has no room.
    const DialogUnits du(fontMetrics());
    if (owner != nullptr && !MoveBesideOwner(*this, *owner, du.X(4), QSize(320, 240))) {
        move(owner->geometry().topLeft() + QPoint(du.X(6), du.Y(18)));
    }
    setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()),
              QTextDocument::HtmlResource);
}

QVariant HelpWindow::loadResource(int type, const QUrl& name) {
    try {
        return name.isLocalFile() ? LoadLocalFile(type, name) : Nothing(type);
    } catch (const std::bad_alloc&) {
        ranOutOfMemory_ = true;
        return Nothing(type);
    }
}

QVariant HelpWindow::LoadLocalFile(int type, const QUrl& name) {
    if (type != QTextDocument::HtmlResource &&
        (type != QTextDocument::ImageResource || pictures_++ >= kMostPictures)) {
        return Nothing(type);
    }
    const std::string content = ReadSmallFile(QFile::encodeName(name.toLocalFile()).toStdString(),
                                              Viewer::kHelpFileMaxBytes)
                                    .value_or(std::string());
    if (type == QTextDocument::ImageResource) {
        // Decoded here: for anything else the document would open the file by its name.
        return BoundedPicture(QByteArray::fromStdString(content));
    }
    return QString::fromStdString(BoundedHelpHtml(content));
}

// Decoded only when its size and depth, as its header gives them, fit into what is left of
// the pictures' memory (at least 4 bytes a pixel, as it is drawn; 8 where the header does
// not say).
QImage HelpWindow::BoundedPicture(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    const int bits = format == QImage::Format_Invalid
                         ? 64
                         : std::max<int>(32, QImage::toPixelFormat(format).bitsPerPixel());
    if (!IsPictureFormat(reader.format()) || size.isEmpty() ||
        qint64{size.width()} * size.height() * bits / 8 > kMostPictureBytes - pictureBytes_) {
        return NoPicture();
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        return NoPicture();
    }
    pictureBytes_ += image.sizeInBytes();
    return image;
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

}  // namespace tessaro
