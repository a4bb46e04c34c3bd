#pragma once

#include "fileio/OpenWithRetry.h"
#include "table/ColumnLayout.h"
#include "table/TableInfo.h"

namespace tessaro {

// The state of one run of the program: its file services, the table loaded, its fields and
// columns.
// One per process in the viewer; tests make fresh ones.
struct Session {
    explicit Session(DesktopPort& port) : access(port) {}

    DesktopPort& Desktop() { return access.desktop; }

    FileAccess access;
    TableInfo tableInfo;
    FieldTable fieldTable;
    // The columns of the table whose header was read last, and where their values lie.
    ColumnLayout columns;
};

}  // namespace tessaro
