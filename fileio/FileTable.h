#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ErrorNumbers.h"
#include "OsFile.h"

namespace tessaro {

// Names an open file: 1 upward; 0 names no file and is the failure result of an open.
using FileNumber = std::int16_t;

enum class OpenMode { Binary, Append };

struct OpenAttempt {
    FileNumber number = 0;  // 0 when the attempt failed
    ErrorNumber error = kNoError;
};

struct ReadResult {
    std::size_t count = 0;  // fewer than asked at the end of the file, down to 0
    ErrorNumber error = kNoError;
};

// The open files of the program and the operations on them. Positions count from 1:
// position 1 is the first byte. Reading goes through a buffer of the file's bytes, so that
// many small positioned reads cost one system call between them.
class FileTable {
public:
    FileTable();
    ~FileTable();
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;

    // One open attempt under the lowest free number. Binary files are opened read only,
    // never created, and only plain files (a folder or a device fails with kErrNotAFile);
    // an append file is always a new file (see os::Access::CreateText), with no more
    // permissions than the open file `permissionsOf` where that is given.
    OpenAttempt TryOpen(std::string_view name, OpenMode mode, FileNumber permissionsOf = 0);

    // The next read or write starts at byte `position` (1-based); below 1 is failure 63.
    // A position beyond the end is accepted: a read there returns nothing.
    ErrorNumber SetPosition(FileNumber file, std::int64_t position);

    // Reads up to `count` bytes at the current position and advances by what it got.
    // Unbuffered, the bytes come straight from the system, and nothing around them is
    // read: for small pieces far apart, of which a buffer would read mostly what lies
    // between them.
    enum class Buffering { Buffered, Unbuffered };
    ReadResult ReadBytes(FileNumber file, char* buffer, std::size_t count,
                         Buffering buffering = Buffering::Buffered);

    // The first read that failed since the last call (not the end of a file, which is no
    // failure), and forgets it: the viewer goes on with what it got, a tool says so.
    ErrorNumber TakeReadError();

    // The size of the open file in bytes, -1 when the system cannot tell.
    std::int64_t Size(FileNumber file) const;

    // Reads up to `count` bytes into a string (a convenience for small reads).
    std::string ReadString(FileNumber file, std::size_t count, ErrorNumber* error = nullptr);

    // Writes at the end of an append file; fewer bytes accepted is 61 (disk) or 57 (device).
    ErrorNumber WriteText(FileNumber file, std::string_view bytes);
    ErrorNumber WriteLineEnd(FileNumber file);

    // Closing a number that is not open does nothing.
    void Close(FileNumber file);
    void CloseAll();

    int OpenCount() const;

    // Every byte read from the system since the table was made, for the promises about
    // how much of a file a load reads.
    std::int64_t BytesFromSystem() const { return bytesFromSystem_; }

private:
    struct Entry;
    Entry* Find(FileNumber file) const;

    os::IoResult ReadFromSystem(Entry& entry, std::int64_t offset, char* buffer, std::size_t count);

    std::vector<std::unique_ptr<Entry>> entries_;  // index = number - 1
    std::int64_t bytesFromSystem_ = 0;
    ErrorNumber readError_ = kNoError;
};

}  // namespace tessaro
