#pragma once

#include <QTextBrowser>

namespace tessaro {

// The help document "tessaro.hlp" (HTML) in a window of its own, at its start page.
class HelpWindow final : public QTextBrowser {
    Q_OBJECT
public:
    HelpWindow(const QString& fileName, QWidget* owner);

    // The pictures the window decodes, and the memory they take together: beyond, a
    // picture shows as nothing.
    static constexpr int kMostPictures = 64;
    static constexpr qint64 kMostPictureBytes = 16 << 20;

    // The document and what it shows (pictures, linked pages) are read only from regular
    // files of bounded size: a document that names a FIFO or /dev/zero must neither freeze
    // the program nor fill its memory. A page reaches Qt within the limits of HelpHtml,
    // pictures within the ones above; style sheets of their own files, Markdown and
    // anything not on this machine are left out: the help is one HTML file.
    QVariant loadResource(int type, const QUrl& name) override;

    // Whether memory did not suffice for the document or something it shows, which then
    // stays empty. Qt takes no exceptions: the window's owner reports it.
    bool RanOutOfMemory() const { return ranOutOfMemory_; }

protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QVariant LoadLocalFile(int type, const QUrl& name);
    QImage BoundedPicture(const QByteArray& bytes);

    bool ranOutOfMemory_ = false;
    int pictures_ = 0;  // asked for
    qint64 pictureBytes_ = 0;
};

}  // namespace tessaro
