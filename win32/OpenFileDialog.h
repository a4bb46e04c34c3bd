#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "viewer/WindowPort.h"

namespace tessaro::win32 {

// The system's open dialog as the viewer asks for it; the chosen path in UTF-8, or none.
std::optional<std::string> ShowOpenFileDialog(HWND owner, const OpenDialogRequest& request);

}  // namespace tessaro::win32
