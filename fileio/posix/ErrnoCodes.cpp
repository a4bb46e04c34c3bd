#include "fileio/posix/ErrnoCodes.h"

#include <cerrno>

namespace tessaro::os {

namespace {

// Win32 error codes used below.
constexpr std::uint32_t ERROR_INVALID_FUNCTION = 1;
constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
constexpr std::uint32_t ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
constexpr std::uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr std::uint32_t ERROR_INVALID_DRIVE = 15;
constexpr std::uint32_t ERROR_NOT_SAME_DEVICE = 17;
constexpr std::uint32_t ERROR_WRITE_PROTECT = 19;
constexpr std::uint32_t ERROR_NOT_READY = 21;
constexpr std::uint32_t ERROR_GEN_FAILURE = 31;
constexpr std::uint32_t ERROR_SHARING_VIOLATION = 32;
constexpr std::uint32_t ERROR_HANDLE_DISK_FULL = 39;
constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
constexpr std::uint32_t ERROR_FILENAME_EXCED_RANGE = 206;
constexpr std::uint32_t ERROR_CANT_RESOLVE_FILENAME = 1921;

}  // namespace

std::uint32_t Win32CodeFromErrno(int errnoValue) {
    switch (errnoValue) {
        case 0: return 0;
        case ENOENT: return ERROR_FILE_NOT_FOUND;
        case ENOTDIR: return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR: return ERROR_ACCESS_DENIED;
        case EROFS: return ERROR_WRITE_PROTECT;
        case EMFILE:
        case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
        case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
        // A lock held by another process, or a busy file: what share mode 0 reports.
        case EWOULDBLOCK:
        case EBUSY:
        case ETXTBSY: return ERROR_SHARING_VIOLATION;
        case EIO: return ERROR_GEN_FAILURE;
        case ENOSPC:
        case EDQUOT: return ERROR_HANDLE_DISK_FULL;
        case EBADF: return ERROR_INVALID_HANDLE;
        case ENODEV: return ERROR_INVALID_DRIVE;
        case ENXIO: return ERROR_NOT_READY;
        case EXDEV: return ERROR_NOT_SAME_DEVICE;
        case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
        case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
        case EINVAL:
        case EFBIG:
        case EOVERFLOW: return ERROR_INVALID_PARAMETER;
        default: return ERROR_INVALID_FUNCTION;
    }
}

}  // namespace tessaro::os
