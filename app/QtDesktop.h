#pragma once

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

// The open dialog's filter text ("dbf Datei|*.dbf|Alle Dateien|*.*") as Qt name filters.
// Patterns match without regard to case, as on Windows, and "*.*" matches every file.
QStringList NameFiltersOf(const QString& filter);

}  // namespace tessaro
