#include "QtDesktop.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSettings>

#include "app/MessageBoxes.h"
#include "app/TextEditorLauncher.h"

namespace tessaro {

namespace {

// "*.dbf" → "*.dbf *.DBF" and mixed cases likewise, since the file system tells cases apart.
QString CaseInsensitivePatterns(const QString& patterns) {
    QStringList all;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) {
            all << QStringLiteral("*");
            continue;
        }
        all << pattern;
        if (pattern.toLower() != pattern) {
            all << pattern.toLower();
        }
        if (pattern.toUpper() != pattern) {
            all << pattern.toUpper();
        }
    }
    all.removeDuplicates();
    return all.join(QLatin1Char(' '));
}

}  // namespace

QStringList NameFiltersOf(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << parts[i] + QStringLiteral(" (") + CaseInsensitivePatterns(parts[i + 1]) +
                       QLatin1Char(')');
    }
    return filters;
}

BoxAnswer QtDesktop::ShowMessageBox(WindowHandle owner, std::string_view text,
                                    std::string_view caption, BoxStyle style) {
    return RunMessageBox(WidgetOf(owner), text, caption, style);
}

void QtDesktop::StartTextEditor(const std::string& fileName) {
    // The very bytes of the name that was written: a name that is not UTF-8 would not
    // survive a QString.
    StartTextEditorDetached(fileName);
}

std::unique_ptr<QFileDialog> BuildOpenDialog(QWidget* owner, const OpenDialogRequest& request) {
    const QString initialDirectory = request.initialDirectory.empty()
                                         ? QDir::currentPath()
                                         : QString::fromStdString(request.initialDirectory);
    auto dialog = std::make_unique<QFileDialog>(owner, QString::fromStdString(request.title),
                                                initialDirectory);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode((request.flags & kOpenFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                                  : QFileDialog::AnyFile);
    dialog->setNameFilters(NameFiltersOf(QString::fromStdString(request.filter)));
    dialog->setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog->selectFile(QString::fromStdString(request.fileName));
    return dialog;
}

void KeepNoQtSettings() {
    // A file below /dev/null can be neither made nor read: the settings are written
    // nowhere and every dialog starts as Qt makes it.
    const QString nowhere = QStringLiteral("/dev/null");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, nowhere);
        QSettings::setPath(format, QSettings::SystemScope, nowhere);
    }
}

std::optional<std::string> QtDesktop::ShowOpenDialog(QWidget* owner,
                                                     const OpenDialogRequest& request) {
    const std::unique_ptr<QFileDialog> dialog = BuildOpenDialog(owner, request);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(dialog->selectedFiles().front()).toStdString();
}

void QtDesktop::BeepQuestion() { QApplication::beep(); }

void QtDesktop::PostQuit(int exitCode) { QCoreApplication::exit(exitCode); }

}  // namespace tessaro
