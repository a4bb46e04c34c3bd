#include "fileio/OsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "fileio/FileSystem.h"
#include "fileio/posix/ErrnoCodes.h"

namespace tessaro::os {

namespace {

constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kSharingViolation = 32;

int Descriptor(Handle handle) { return static_cast<int>(handle); }

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

std::uint32_t OpenFailure(const std::string& path, Access access, int error) {
    if (access == Access::ReadBinary && ExistsButIsNoFile(path)) {
        // A folder that may not be read, a socket (ENXIO), a device on a file system
        // mounted without devices: whatever the open says, no table can be read there.
        return kNotAFile;
    }
    if (error == ENOENT) {
        return MissingFileCode(path);
    }
    if (error == EEXIST && access == Access::CreateText) {
        // Something of that name is still there after the deletion (a folder that may not
        // be written, a file of another user in a shared folder): it is never replaced.
        // Windows says "access denied" for a file it may not replace.
        return kAccessDenied;
    }
    return Win32CodeFromErrno(error);
}

// A write beyond the process's file-size limit ends the process by default (SIGXFSZ);
// ignored, it fails like any other write, and the text is simply shorter.
void LetOversizedWritesFail() {
    static const bool ignored = (std::signal(SIGXFSZ, SIG_IGN), true);
    (void)ignored;
}

// The permissions of a new text file: no more than the model's, so that a memo of a private
// memo file does not become readable by others.
mode_t NewFileMode(Handle permissionsOf) {
    struct stat model {};
    if (permissionsOf != kNoHandle && ::fstat(Descriptor(permissionsOf), &model) == 0) {
        return model.st_mode & 0666;
    }
    return 0666;
}

int RawOpen(const std::string& path, Access access, Handle permissionsOf) {
    // O_NONBLOCK keeps a FIFO or device from blocking the open; it is cleared below.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    mode_t mode = 0;
    if (access == Access::ReadBinary) {
        flags |= O_RDONLY;
    } else {
        flags |= O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW;
        mode = NewFileMode(permissionsOf);
    }
    int fd;
    do {
        fd = ::open(path.c_str(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int Retrying(int (*call)(int, int), int fd, int argument) {
    int result;
    do {
        result = call(fd, argument);
    } while (result != 0 && errno == EINTR);
    return result;
}

int SetReadLock(int fd) {
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    int result;
    do {
        result = ::fcntl(fd, F_SETLK, &lock);
    } while (result != 0 && errno == EINTR);
    return result;
}

// True when the error says that the file system cannot lock this way, not that another
// program holds a lock. NFS emulates flock with byte-range locks, which refuse an
// exclusive lock on a file opened for reading (EBADF), or has no lock manager (ENOLCK).
bool LockUnsupported(int error) {
    return error == EBADF || error == ENOLCK || error == EOPNOTSUPP || error == ENOTSUP ||
           error == EINVAL;
}

// The exclusive lock of share mode 0. Where the file system cannot give it to a file open
// for reading, a read lock still keeps out writers; where it cannot lock at all, the file
// is read unlocked rather than not at all. Returns 0 or the Win32 code of the failure.
std::uint32_t LockExclusively(int fd, Access access) {
    if (Retrying(::flock, fd, LOCK_EX | LOCK_NB) == 0) {
        return 0;
    }
    const int error = errno;
    if (error == EWOULDBLOCK) {
        return kSharingViolation;
    }
    if (access != Access::ReadBinary || !LockUnsupported(error)) {
        return Win32CodeFromErrno(error);
    }
    if (SetReadLock(fd) == 0) {
        return 0;
    }
    const int fallbackError = errno;
    if (fallbackError == EAGAIN || fallbackError == EACCES) {
        return kSharingViolation;
    }
    return LockUnsupported(fallbackError) ? 0 : Win32CodeFromErrno(fallbackError);
}

}  // namespace

OpenResult OpenExclusive(const std::string& path, Access access, Handle permissionsOf) {
    if (access == Access::CreateText) {
        LetOversizedWritesFail();
    }
    const int fd = RawOpen(path, access, permissionsOf);
    if (fd < 0) {
        return {kNoHandle, OpenFailure(path, access, errno)};
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {kNoHandle, kNotAFile};
    }
    if (const std::uint32_t failure = LockExclusively(fd, access); failure != 0) {
        ::close(fd);
        return {kNoHandle, failure};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return {fd, 0};
}

IoResult ReadAt(Handle handle, std::int64_t offset, char* buffer, std::size_t count) {
    IoResult result;
    while (result.count < count) {
        const ssize_t got = ::pread(Descriptor(handle), buffer + result.count, count - result.count,
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
        const ssize_t put = ::write(Descriptor(handle), data + result.count, count - result.count);
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
    if (::fstat(Descriptor(handle), &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

bool IsDiskFile(Handle handle) {
    struct stat info {};
    return ::fstat(Descriptor(handle), &info) == 0 && S_ISREG(info.st_mode);
}

void Close(Handle handle) {
    if (handle != kNoHandle) {
        ::close(Descriptor(handle));
    }
}

}  // namespace tessaro::os
