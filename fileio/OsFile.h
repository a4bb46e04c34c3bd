#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The operating-system layer of the file services, one implementation per system (POSIX or
// Win32, chosen by the build). Paths are UTF-8. Every failure comes back as the Win32 code
// that Windows gives for the same condition, so that there is one classification.
namespace tessaro::os {

// Big enough for a POSIX descriptor and a Windows HANDLE alike.
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

enum class Access {
    // An existing regular file, read only; never created. Anything else of that name (a
    // folder, a device, a FIFO, a socket) fails with kNotAFile.
    ReadBinary,
    // A new text file, written at its end. It is created and never opened when something of
    // that name exists, so that no existing file is ever written to or truncated, and never
    // through a link.
    CreateText,
};

// The failure of an open that found something other than a plain file. Windows itself says
// "access denied" for a folder and opens a device; this one code tells them from a file that
// may not be read, and it is never worth another attempt.
inline constexpr std::uint32_t kNotAFile = 222;  // ERROR_BAD_FILE_TYPE

struct OpenResult {
    Handle handle = kNoHandle;
    std::uint32_t win32Error = 0;
};

struct IoResult {
    std::size_t count = 0;
    std::uint32_t win32Error = 0;
};

// Opens a file so that no other program can open it while it is open (Windows' share mode
// 0; on POSIX an exclusive lock that fails at once when another open holds one). A new
// text file gets no more permissions than the open file `permissionsOf` has, where the
// system has such permissions.
OpenResult OpenExclusive(const std::string& path, Access access, Handle permissionsOf = kNoHandle);

// Reads up to `count` bytes at `offset`; fewer at the end of the file.
IoResult ReadAt(Handle handle, std::int64_t offset, char* buffer, std::size_t count);

// Writes all bytes at the end of the file, or reports why it could not.
IoResult Write(Handle handle, const char* data, std::size_t count);

// The size of the open file, or -1.
std::int64_t FileSize(Handle handle);

// True for a file on a disk, false for a device.
bool IsDiskFile(Handle handle);

void Close(Handle handle);

}  // namespace tessaro::os
