#pragma once

#include <QTextBrowser>

namespace tessaro {

// The help document "tessaro.hlp" (HTML) in a window of its own, at its start page.
class HelpWindow final : public QTextBrowser {
    Q_OBJECT
public:
    HelpWindow(const QString& fileName, QWidget* owner);

    // The help file in the working folder, else beside the program; empty when neither.
    static QString FindHelpFile();

    static constexpr const char* kHelpFileName = "tessaro.hlp";
};

}  // namespace tessaro
