#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/FrontEndPort.h"
#include "support/FakeDesktop.h"

namespace tessaro::test {

// The window's desktop, scripted: boxes recorded and answered, the open dialog answered
// with a path (or cancelled), sounds and quit requests counted.
class FakeFrontEnd final : public FrontEndPort, public BoxRecorder {
public:
    BoxAnswer ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                             BoxStyle style) override {
        return Answer(owner, text, caption, style);
    }
    void StartTextEditor(const std::string& fileName) override { editorStarts.push_back(fileName); }
    std::optional<std::string> ShowOpenDialog(QWidget* owner,
                                              const OpenDialogRequest& request) override {
        dialogOwner = owner;
        dialogRequests.push_back(request);
        return chosenFile;
    }
    void BeepQuestion() override { ++beeps; }
    void PostQuit(int exitCode) override { quits.push_back(exitCode); }

    std::vector<std::string> editorStarts;
    std::optional<std::string> chosenFile;  // none: the user cancels
    std::vector<OpenDialogRequest> dialogRequests;
    QWidget* dialogOwner = nullptr;
    int beeps = 0;
    std::vector<int> quits;
};

}  // namespace tessaro::test
