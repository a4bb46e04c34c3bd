#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include <QFile>
#include <QString>

#include "app/FrontEndPort.h"
#include "fileio/BoxText.h"

namespace tessaro::bench {

// The desktop of a timed run: nothing waits for a person. The open dialog answers with the
// table under test, every box goes to standard error and is answered as a user who gives
// up would, and sounds, the editor and quit requests do nothing. A box during a timed run
// means the run measured something else than a load: the caller checks `boxes`.
class QuietFrontEnd final : public FrontEndPort {
public:
    explicit QuietFrontEnd(QString table) : table_(std::move(table)) {}

    BoxAnswer ShowMessageBox(WindowHandle /*owner*/, std::string_view text,
                             std::string_view caption, BoxStyle style) override {
        ++boxes;
        const std::string line = std::string(caption) + ": " + BoxTextWithLineFeeds(text) + "\n";
        std::fputs(line.c_str(), stderr);
        return GiveUpAnswer(style);
    }
    void StartTextEditor(const std::string& /*fileName*/) override {}
    std::optional<std::string> ShowOpenDialog(QWidget* /*owner*/,
                                              const OpenDialogRequest& /*request*/) override {
        if (table_.isEmpty()) {
            return std::nullopt;
        }
        return QFile::encodeName(table_).toStdString();
    }
    void BeepQuestion() override {}
    void PostQuit(int /*exitCode*/) override {}

    int boxes = 0;

private:
    QString table_;
};

}  // namespace tessaro::bench
