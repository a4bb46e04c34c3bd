#include "OsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "ErrorNumbers.h"

namespace tessaro::os {

namespace {

constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kPathNotFound = 3;

// POSIX says ENOENT both for a missing file and for a missing folder on the way to it;
// Windows tells them apart, and so must the messages.
std::uint32_t MissingFileCode(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0) {
        return Win32CodeFromErrno(ENOENT);
    }
    struct stat folder {};
    if (::stat(path.substr(0, slash).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
        return kPathNotFound;
    }
    return Win32CodeFromErrno(ENOENT);
}

std::uint32_t OpenFailure(const std::string& path, int error) {
    return error == ENOENT ? MissingFileCode(path) : Win32CodeFromErrno(error);
}

int RawOpen(const std::string& path, Access access) {
    // O_NONBLOCK keeps a FIFO or device from blocking the open; it is cleared below.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    if (access == Access::ReadBinary) {
        flags |= O_RDONLY;
    } else {
        flags |= O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW;
    }
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

OpenResult OpenExclusive(const std::string& path, Access access) {
    const int fd = RawOpen(path, access);
    if (fd < 0) {
        return {kNoHandle, OpenFailure(path, errno)};
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        // Windows refuses to open a folder as a file with "access denied".
        ::close(fd);
        return {kNoHandle, kAccessDenied};
    }
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(fd);
        return {kNoHandle, Win32CodeFromErrno(error)};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return {fd, 0};
}

IoResult ReadAt(Handle handle, std::int64_t offset, char* buffer, std::size_t count) {
    IoResult result;
    while (result.count < count) {
        const ssize_t got = ::pread(handle, buffer + result.count, count - result.count,
                                    static_cast<off_t>(offset) + static_cast<off_t>(result.count));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.win32Error = Win32CodeFromErrno(errno);
            break;
        }
        if (got == 0) {
            break;
        }
        result.count += static_cast<std::size_t>(got);
    }
    return result;
}

IoResult Write(Handle handle, const char* data, std::size_t count) {
    IoResult result;
    while (result.count < count) {
        const ssize_t put = ::write(handle, data + result.count, count - result.count);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.win32Error = Win32CodeFromErrno(errno);
            break;
        }
        if (put == 0) {
            break;
        }
        result.count += static_cast<std::size_t>(put);
    }
    return result;
}

std::int64_t FileSize(Handle handle) {
    struct stat info {};
    if (::fstat(handle, &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

bool IsDiskFile(Handle handle) {
    struct stat info {};
    return ::fstat(handle, &info) == 0 && S_ISREG(info.st_mode);
}

void Close(Handle handle) {
    if (handle != kNoHandle) {
        ::close(handle);
    }
}

}  // namespace tessaro::os
