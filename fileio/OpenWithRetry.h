#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "DesktopPort.h"
#include "FileTable.h"

namespace tessaro {

// How often and how far apart a failed open is tried again before the user is asked.
// Tests replace the sleeper so that they need not wait.
struct RetryPolicy {
    int retryLimit = 500;
    std::chrono::milliseconds delay{10};
    std::function<void(std::chrono::milliseconds)> sleep;  // empty: really sleep

    void Wait() const;
};

// The file services of one program: its open files, its desktop for the retry box and its
// retry timing.
struct FileAccess {
    explicit FileAccess(DesktopPort& port) : desktop(port) {}

    DesktopPort& desktop;
    FileTable files;
    RetryPolicy retry;
};

// Opens an existing file for reading, exclusively. A failed open is tried again
// `retryLimit` times, `delay` apart; then the error box lets the user try another cycle or
// give up. Returns the file number, or 0 when the user gave up; then `why`, where given,
// is the failure of the last attempt. A folder or a device (kErrNotAFile) will not become
// a file by waiting: it fails at once, without a box.
//
// The name is the routine's own copy: the boxes let the window's events through, and what
// happens there may change the caller's string.
FileNumber OpenWithRetry(FileAccess& access, std::string name, ErrorNumber* why = nullptr);

// The same for a new text file that is written at its end: it is created, and an existing
// file of that name is never opened (see os::Access::CreateText). It gets no more
// permissions than the open file `permissionsOf`, where that is given.
FileNumber OpenAppendWithRetry(FileAccess& access, std::string name, FileNumber permissionsOf = 0);

// The same for a text file that replaces an old one of that name: every attempt deletes the
// old file first (RemoveFile), so that trying again after another program has let go of it
// succeeds. While the old file cannot be deleted, the attempt fails for that reason (a file
// another program holds is in use, 70).
FileNumber OpenAppendReplacingWithRetry(FileAccess& access, std::string name,
                                        FileNumber permissionsOf = 0);

}  // namespace tessaro
