#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "table/RecordCells.h"
#include "table/Session.h"
#include "viewer/WindowPort.h"

namespace tessaro {

// The state of the program's one window: the session with its table, the record list's
// contents (the records as read), the row last clicked and the status text. Loading, selection and
// the commands share it.
struct WindowState {
    WindowState(WindowPort& windowPort, DesktopPort& desktopPort)
        : window(windowPort), session(desktopPort) {}

    WindowPort& window;
    Session session;
    RecordCells cells;
    bool hasRecordList = false;
    // The row the last click in the list hit, -1 when it hit none; 0 until the first click,
    // and not reset by another load.
    std::int32_t currentRecordRow = 0;
    std::string statusText;

    // Shows at most the first 254 characters.
    void SetStatusText(std::string_view text);

    WindowHandle Owner() { return window.OwnerWindow(); }
};

}  // namespace tessaro
