#pragma once

#include <QTextBrowser>

namespace tessaro {

// The help document "tessaro.hlp" (HTML) in a window of its own, at its start page.
class HelpWindow final : public QTextBrowser {
    Q_OBJECT
public:
    HelpWindow(const QString& fileName, QWidget* owner);

    // The help file in the working folder, else beside the program, else in ../share/tessaro
    // relative to the program, else in the installed data folder; empty when none has it.
    static QString FindHelpFile();

    static constexpr const char* kHelpFileName = "tessaro.hlp";
};

}  // namespace tessaro
