#include "TextEditorLauncher.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "app/DesktopEntry.h"

namespace tessaro {

namespace {

constexpr int kQueryTimeoutMs = 3000;

std::string Native(const QString& text) { return QFile::encodeName(text).toStdString(); }

// The desktop id ("org.gnome.TextEditor.desktop") of the default application for plain text.
QString DefaultTextApplication() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        return {};
    }
    QProcess query;
    query.start(xdgMime,
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(kQueryTimeoutMs) || query.exitCode() != 0) {
        query.kill();
        return {};
    }
    return QString::fromUtf8(query.readAllStandardOutput()).trimmed();
}

// The program of a command as a path: a bare name is looked up in PATH.
std::string ProgramPath(const std::string& program) {
    if (program.find('/') != std::string::npos) {
        return program;
    }
    return Native(
        QStandardPaths::findExecutable(QFile::decodeName(QByteArray::fromStdString(program))));
}

std::vector<std::string> CommandFromApplication(const QString& desktopId,
                                                const std::string& fileName) {
    const QString entryPath =
        QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    QFile entry(entryPath);
    if (entryPath.isEmpty() || !entry.open(QIODevice::ReadOnly)) {
        return {};
    }
    const auto command = CommandFromDesktopEntry(entry.readAll().toStdString(), fileName);
    if (!command) {
        return {};
    }
    std::vector<std::string> argv;
    if (command->terminal) {
        const QString terminal =
            QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
        if (terminal.isEmpty()) {
            return {};
        }
        argv = {Native(terminal), "-e"};
    }
    argv.insert(argv.end(), command->argv.begin(), command->argv.end());
    argv.front() = ProgramPath(argv.front());
    return argv.front().empty() ? std::vector<std::string>{} : argv;
}

// Starts the program without waiting for it and without leaving a child to be reaped: a
// short-lived intermediate process starts it and ends at once. Everything the child needs
// is made before the fork.
void SpawnDetached(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    const pid_t intermediate = ::fork();
    if (intermediate == 0) {
        if (::fork() == 0) {
            ::setsid();
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::_exit(0);
    }
    if (intermediate > 0) {
        int status = 0;
        while (::waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

}  // namespace

std::string EditorFileArgument(const std::string& fileName) {
    return fileName.starts_with('-') ? "./" + fileName : fileName;
}

std::vector<std::string> TextEditorCommand(const std::string& fileName) {
    const std::string file = EditorFileArgument(fileName);
    const QString application = DefaultTextApplication();
    if (!application.isEmpty()) {
        std::vector<std::string> argv = CommandFromApplication(application, file);
        if (!argv.empty()) {
            return argv;
        }
    }
    for (const char* editor : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed",
                               "pluma", "featherpad", "leafpad", "geany", "xdg-open"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(editor));
        if (!path.isEmpty()) {
            return {Native(path), file};
        }
    }
    return {};
}

void StartTextEditorDetached(const std::string& fileName) {
    const std::vector<std::string> argv = TextEditorCommand(fileName);
    if (!argv.empty()) {
        SpawnDetached(argv);
    }
}

}  // namespace tessaro
