#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The operating-system layer of the file services: POSIX today. Every failure comes back
// as the Win32 code that Windows gives for the same condition.
namespace tessaro::os {

using Handle = int;
inline constexpr Handle kNoHandle = -1;

enum class Access {
    ReadBinary,  // an existing file, read only
    AppendText,  // created when missing, every write goes to the end
};

struct OpenResult {
    Handle handle = kNoHandle;
    std::uint32_t win32Error = 0;
};

struct IoResult {
    std::size_t count = 0;
    std::uint32_t win32Error = 0;
};

// Opens a regular file and takes an exclusive lock on it that fails at once when another
// open holds one (Windows' share mode 0). Symbolic links are not followed for AppendText.
OpenResult OpenExclusive(const std::string& path, Access access);

// Reads up to `count` bytes at `offset`; fewer at the end of the file.
IoResult ReadAt(Handle handle, std::int64_t offset, char* buffer, std::size_t count);

// Writes all bytes or reports why it could not.
IoResult Write(Handle handle, const char* data, std::size_t count);

// The size of the open file, or -1.
std::int64_t FileSize(Handle handle);

// True for a file on a disk, false for a device.
bool IsDiskFile(Handle handle);

void Close(Handle handle);

}  // namespace tessaro::os
