#pragma once

#include "fileio/DesktopPort.h"

namespace tessaro::win32 {

// The boxes of the core as boxes of Windows, and Notepad as the text editor.
class Win32Desktop final : public DesktopPort {
public:
    BoxAnswer ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                             BoxStyle style) override;
    void StartTextEditor(const std::string& fileName) override;
};

}  // namespace tessaro::win32
