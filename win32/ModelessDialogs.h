#pragma once

#include <windows.h>

#include <vector>

namespace tessaro {
class Viewer;
}

namespace tessaro::win32 {

// The modeless dialogs: "Gehe zu Satz .." and the version box. Each call opens one more;
// each closes itself.
void OpenGoToDialog(HINSTANCE instance, HWND owner, Viewer& viewer);
void OpenVersionBox(HINSTANCE instance, HWND owner, Viewer& viewer);

// Gives a message of the event loop to the open dialog it belongs to, so that Tab, Enter
// and Escape work there; false when it belongs to none (then the loop dispatches it).
bool RouteDialogMessage(MSG& message);

// How many of them are open.
int OpenDialogCount();

// Where the open go-to dialogs are on the screen.
std::vector<RECT> GoToDialogRects();

}  // namespace tessaro::win32
