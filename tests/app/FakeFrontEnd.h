#pragma once

#include <optional>

#include <QString>

#include "app/FrontEndPort.h"
#include "support/FakeDesktop.h"

namespace tessaro::test {

// The window's desktop, scripted: boxes recorded and answered, the open dialog answered
// with a path (or cancelled), sounds and quit requests counted.
class FakeFrontEnd final : public FrontEndPort, public BoxRecorder {
public:
    BoxAnswer ShowMessageBox(WindowHandle owner, std::string_view text,
                             std::string_view caption, BoxStyle style) override {
        return Answer(owner, text, caption, style);
    }
    void StartTextEditor(const std::string& fileName) override { editorStarts.push_back(fileName); }
    bool ShowOpenDialog(QWidget* owner, OpenDialogRequest& request) override {
        dialogOwner = owner;
        dialogRequests.push_back(request);
        if (!chosenFile) {
            return false;
        }
        request.fileName = *chosenFile;
        return true;
    }
    void BeepQuestion() override { ++beeps; }
    void PostQuit(int exitCode) override { quits.push_back(exitCode); }

    std::vector<std::string> editorStarts;
    std::optional<QString> chosenFile;  // none: the user cancels
    std::vector<OpenDialogRequest> dialogRequests;
    QWidget* dialogOwner = nullptr;
    int beeps = 0;
    std::vector<int> quits;
};

}  // namespace tessaro::test
