#include "QtDesktop.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

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
        filters << parts[i] + QStringLiteral(" (") + CaseInsensitivePatterns(parts[i + 1]) + QLatin1Char(')');
    }
    return filters;
}

BoxAnswer QtDesktop::ShowMessageBox(WindowHandle owner, std::string_view text,
                             std::string_view caption, BoxStyle style) {
    return RunMessageBox(WidgetOf(owner), text, caption, style);
}

void QtDesktop::StartTextEditor(const std::string& fileName) {
    StartTextEditorDetached(QFile::decodeName(QByteArray::fromStdString(fileName)));
}

bool QtDesktop::ShowOpenDialog(QWidget* owner, OpenDialogRequest& request) {
    // Qt's own dialog, so that it speaks German with Qt's translations on every desktop.
    QFileDialog dialog(owner, request.title, request.initialDirectory);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode((request.flags & OFN_FILEMUSTEXIST) != 0 ? QFileDialog::ExistingFile
                                                                 : QFileDialog::AnyFile);
    dialog.setNameFilters(NameFiltersOf(request.filter));
    dialog.setDefaultSuffix(request.defaultExtension);
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    if (chosen) {
        request.fileName = dialog.selectedFiles().front();
    }
    return chosen;
}

void QtDesktop::BeepQuestion() { QApplication::beep(); }

void QtDesktop::PostQuit(int exitCode) { QCoreApplication::exit(exitCode); }

}  // namespace tessaro
