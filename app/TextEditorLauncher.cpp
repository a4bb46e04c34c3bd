#include "TextEditorLauncher.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "app/DesktopEntry.h"

namespace tessaro {

namespace {

constexpr int kQueryTimeoutMs = 3000;

// The desktop id ("org.gnome.TextEditor.desktop") of the default application for plain text.
QString DefaultTextApplication() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        return {};
    }
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(kQueryTimeoutMs) || query.exitCode() != 0) {
        query.kill();
        return {};
    }
    return QString::fromUtf8(query.readAllStandardOutput()).trimmed();
}

QStringList CommandFromApplication(const QString& desktopId, const QString& fileName) {
    const QString entryPath = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    QFile entry(entryPath);
    if (entryPath.isEmpty() || !entry.open(QIODevice::ReadOnly)) {
        return {};
    }
    const auto command = CommandFromDesktopEntry(entry.readAll().toStdString(),
                                                 QFile::encodeName(fileName).toStdString());
    if (!command) {
        return {};
    }
    QStringList argv;
    if (command->terminal) {
        const QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
        if (terminal.isEmpty()) {
            return {};
        }
        argv << terminal << QStringLiteral("-e");
    }
    for (const std::string& word : command->argv) {
        argv << QFile::decodeName(QByteArray::fromStdString(word));
    }
    return argv;
}

}  // namespace

QStringList TextEditorCommand(const QString& fileName) {
    const QString application = DefaultTextApplication();
    if (!application.isEmpty()) {
        const QStringList argv = CommandFromApplication(application, fileName);
        if (!argv.isEmpty()) {
            return argv;
        }
    }
    for (const char* editor : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed",
                               "pluma", "featherpad", "leafpad", "geany"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(editor));
        if (!path.isEmpty()) {
            return {path, fileName};
        }
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        return {opener, fileName};
    }
    return {};
}

void StartTextEditorDetached(const QString& fileName) {
    const QStringList argv = TextEditorCommand(fileName);
    if (!argv.isEmpty()) {
        QProcess::startDetached(argv.front(), argv.mid(1));
    }
}

}  // namespace tessaro
