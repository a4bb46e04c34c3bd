#pragma once

#include <deque>
#include <string>
#include <vector>

#include "fileio/DesktopPort.h"

namespace tessaro::test {

struct ShownBox {
    WindowHandle owner;
    std::string text;
    std::string caption;
    unsigned style;
};

// A desktop that records every box and answers as scripted; without a script it answers as
// a user who gives up (OK, Cancel, No).
class FakeDesktop final : public DesktopPort {
public:
    int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                   unsigned style) override {
        boxes.push_back({owner, std::string(text), std::string(caption), style});
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        switch (style & MB_TYPEMASK) {
            case MB_RETRYCANCEL: return IDCANCEL;
            case MB_YESNO: return IDNO;
            default: return IDOK;
        }
    }

    void StartTextEditor(const std::string& fileName) override { editorStarts.push_back(fileName); }

    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    std::vector<std::string> editorStarts;
};

}  // namespace tessaro::test
