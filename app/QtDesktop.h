#pragma once

#include <memory>

#include <QFileDialog>
#include <QStringList>

#include "app/FrontEndPort.h"

namespace tessaro {

// The desktop as the user sees it: real Qt boxes and dialogs, the real text editor.
class QtDesktop final : public FrontEndPort {
public:
    BoxAnswer ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                             BoxStyle style) override;
    void StartTextEditor(const std::string& fileName) override;
    std::optional<std::string> ShowOpenDialog(QWidget* owner,
                                              const OpenDialogRequest& request) override;
    void BeepQuestion() override;
    void PostQuit(int exitCode) override;
};

// The owner window of a box as the core names it, and back.
inline WindowHandle HandleOf(QWidget* widget) { return widget; }
inline QWidget* WidgetOf(WindowHandle handle) { return static_cast<QWidget*>(handle); }

// The open dialog of a request: Qt's own dialog (so that it speaks German with Qt's
// translations on every desktop), its name field filled with the request's file name.
std::unique_ptr<QFileDialog> BuildOpenDialog(QWidget* owner, const OpenDialogRequest& request);

// The program keeps no settings: Qt's dialogs would write their history and last folder
// to the user's QtProject.conf, and get a place for settings where nothing can be written
// or read instead. Called before any dialog is made.
void KeepNoQtSettings();

// The open dialog's filter text ("dbf Datei|*.dbf|Alle Dateien|*.*") as Qt name filters.
// Patterns match without regard to case, as on Windows, and "*.*" matches every file.
QStringList NameFiltersOf(const QString& filter);

}  // namespace tessaro
