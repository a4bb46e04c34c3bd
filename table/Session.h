#pragma once

#include "fileio/OpenWithRetry.h"
#include "table/TableInfo.h"

namespace tessaro {

// The state of one run of the program: its file services, the table loaded and its fields.
// One per process in the viewer; tests make fresh ones.
struct Session {
    explicit Session(DesktopPort& port) : access(port) {}

    DesktopPort& Desktop() { return access.desktop; }

    FileAccess access;
    TableInfo tableInfo;
    FieldTable fieldTable;
};

}  // namespace tessaro
