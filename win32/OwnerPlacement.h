#pragma once

#include <windows.h>

namespace tessaro::win32 {

// Moves `window` beside the window `owner` on the owner's monitor, `gap` pixels apart, as
// PlaceBeside chooses. A window that may be smaller, down to `least`, is made as small as the
// room beside the owner needs where its own size fits nowhere. False, and the window left
// where it is, when the monitor has no room beside the owner.
bool MoveBesideOwner(HWND window, HWND owner, int gap, SIZE least = {0, 0});

}  // namespace tessaro::win32
