#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fileio/DesktopPort.h"

namespace tessaro::test {

struct ShownBox {
    WindowHandle owner;
    std::string text;
    std::string caption;
    BoxStyle style;
};

// Records every box and answers as scripted; without a script it answers as a user who
// gives up (OK, Cancel, No).
class BoxRecorder {
public:
    BoxAnswer Answer(WindowHandle owner, std::string_view text, std::string_view caption,
                     BoxStyle style) {
        boxes.push_back({owner, std::string(text), std::string(caption), style});
        if (onBox) {
            onBox(boxes.back());
        }
        if (!answers.empty()) {
            const BoxAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return GiveUpAnswer(style);
    }

    std::vector<ShownBox> boxes;
    std::deque<BoxAnswer> answers;
    std::function<void(const ShownBox&)> onBox;  // runs while the box is "open"
};

// A desktop whose boxes are recorded and whose editor starts are only noted.
class FakeDesktop final : public DesktopPort, public BoxRecorder {
public:
    BoxAnswer ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                             BoxStyle style) override {
        return Answer(owner, text, caption, style);
    }

    void StartTextEditor(const std::string& fileName) override { editorStarts.push_back(fileName); }

    std::vector<std::string> editorStarts;
};

}  // namespace tessaro::test
