#pragma once

#include <cstdio>

#include "fileio/DesktopPort.h"

namespace tessaro {

// The desktop of the command-line tool: every box goes to standard error as
// "<caption>: <text>" and is answered as a user who gives up would.
class StderrDesktop final : public DesktopPort {
public:
    explicit StderrDesktop(std::FILE* out = stderr) : out_(out) {}

    BoxAnswer ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                             BoxStyle style) override;
    void StartTextEditor(const std::string& fileName) override;

private:
    std::FILE* out_;
};

}  // namespace tessaro
