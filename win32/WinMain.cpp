// Tessaro for Windows: a read-only viewer for dBASE tables.

#include <windows.h>

#include <commctrl.h>

#include "win32/MainWindow.h"
#include "win32/ModelessDialogs.h"
#include "win32/Win32Desktop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
    ::InitCommonControlsEx(&controls);

    tessaro::win32::Win32Desktop desktop;
    tessaro::win32::MainWindow window(instance, desktop);
    if (!window.Create(showCommand)) {
        return 1;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, Enter and Escape in the go-to dialogs and version boxes, as on every desktop.
        if (!tessaro::win32::RouteDialogMessage(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    window.Finish();
    // Command-line arguments are ignored, and the program always ends with 0.
    return 0;
}
