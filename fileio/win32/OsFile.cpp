#include "fileio/OsFile.h"

#include <windows.h>

#include <algorithm>

#include "fileio/FileSystem.h"
#include "fileio/win32/WideNames.h"

namespace tessaro::os {

namespace {

static_assert(sizeof(Handle) >= sizeof(HANDLE));

HANDLE Native(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

// INVALID_HANDLE_VALUE is -1, the portable kNoHandle.
Handle Portable(HANDLE handle) { return reinterpret_cast<Handle>(handle); }

// ReadFile and WriteFile count in 32 bits; larger transfers go in pieces.
constexpr std::size_t kMostPerCall = std::size_t{1} << 30;

std::uint32_t OpenFailure(const std::string& path, Access access, DWORD error) {
    if (access == Access::ReadBinary && error == ERROR_ACCESS_DENIED && ExistsButIsNoFile(path)) {
        // Windows refuses to open a folder as a file with "access denied".
        return kNotAFile;
    }
    if (access == Access::CreateText &&
        (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)) {
        // Something of that name is still there after the deletion (a read-only file, a
        // folder, a link): it is never replaced, and the user hears "access denied" as
        // for any file that may not be replaced.
        return ERROR_ACCESS_DENIED;
    }
    return error;
}

HANDLE RawOpen(const std::wstring& path, Access access) {
    // Share mode 0: no other program may open the file while it is open here.
    if (access == Access::ReadBinary) {
        return ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    // A new file or none: CREATE_NEW fails for any existing name. With
    // FILE_FLAG_OPEN_REPARSE_POINT a symbolic link or junction of that name counts as that
    // existing name and is never followed, so nothing is created or written where it
    // points. Only FILE_APPEND_DATA is asked for: every write goes to the end.
    //
    // The new file's permissions come from the folder's ACL, as for any file made there;
    // the model file's permissions (permissionsOf) have no part in it on Windows.
    return ::CreateFileW(path.c_str(), FILE_APPEND_DATA, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

}  // namespace

OpenResult OpenExclusive(const std::string& path, Access access, Handle /*permissionsOf*/) {
    KeepSystemErrorBoxesAway();
    const std::optional<std::wstring> name = SystemPath(path);
    if (!name) {
        return {kNoHandle, ERROR_INVALID_NAME};
    }
    const HANDLE file = RawOpen(*name, access);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return {kNoHandle, OpenFailure(path, access, error)};
    }
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        // A device such as NUL or COM1 (or, under Wine, a Linux FIFO) is no table, as a
        // folder is none.
        ::CloseHandle(file);
        return {kNoHandle, kNotAFile};
    }
    return {Portable(file), 0};
}

IoResult ReadAt(Handle handle, std::int64_t offset, char* buffer, std::size_t count) {
    IoResult result;
    while (result.count < count) {
        const std::uint64_t at = static_cast<std::uint64_t>(offset) + result.count;
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        const auto want = static_cast<DWORD>(std::min(count - result.count, kMostPerCall));
        DWORD got = 0;
        if (!::ReadFile(Native(handle), buffer + result.count, want, &got, &where)) {
            // A positioned read at or behind the end fails with ERROR_HANDLE_EOF; like a
            // read at the end on POSIX, that is just no more bytes.
            const DWORD error = ::GetLastError();
            if (error != ERROR_HANDLE_EOF) {
                result.win32Error = error;
            }
            break;
        }
        if (got == 0) {
            break;
        }
        result.count += got;
    }
    return result;
}

IoResult Write(Handle handle, const char* data, std::size_t count) {
    IoResult result;
    while (result.count < count) {
        const auto want = static_cast<DWORD>(std::min(count - result.count, kMostPerCall));
        DWORD put = 0;
        if (!::WriteFile(Native(handle), data + result.count, want, &put, nullptr)) {
            result.win32Error = ::GetLastError();
            break;
        }
        if (put == 0) {
            break;
        }
        result.count += put;
    }
    return result;
}

std::int64_t FileSize(Handle handle) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(Native(handle), &size)) {
        return -1;
    }
    return size.QuadPart;
}

bool IsDiskFile(Handle handle) { return ::GetFileType(Native(handle)) == FILE_TYPE_DISK; }

void Close(Handle handle) {
    if (handle != kNoHandle) {
        ::CloseHandle(Native(handle));
    }
}

}  // namespace tessaro::os
