#include "ErrorNumbers.h"

#include <cerrno>

namespace tessaro {

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

ErrorNumber ClassifyWin32Error(std::uint32_t win32Code) {
    switch (win32Code) {
        case 1: return kErrPathAccess;
        case 2: return kErrFileNotFound;
        case 3: return kErrPathNotFound;
        case 4: return kErrTooManyFiles;
        case 5: return kErrPathAccess;
        case 6: return kErrInternal;
        case 7: case 9: case 10: return kErrOsMemory;
        case 8: case 14: return kErrOutOfMemory;
        case 11: case 12: case 13: case 22: case 24: return kErrInternal;
        case 15: case 20: return kErrDeviceUnavailable;
        case 16: case 35: case 37: return kErrPathAccess;
        case 17: return kErrRenameAcrossDrives;
        case 18: return kErrFileNotFound;
        case 19: return kErrPermissionDenied;
        case 21: return kErrDriveNotReady;
        case 23: case 25: case 26: case 27: case 29: case 30: case 31: case 34:
            return kErrMediumError;
        case 28: return kErrOutOfPaper;
        case 32: case 33: case 36: return kErrPermissionDenied;
        case 38: return kErrReadPastEnd;
        case 39: return kErrDiskFull;
        default: return kNoError;
    }
}

std::uint32_t Win32CodeFromErrno(int errnoValue) {
    switch (errnoValue) {
        case 0: return 0;
        case ENOENT: return ERROR_FILE_NOT_FOUND;
        case ENOTDIR: return ERROR_PATH_NOT_FOUND;
        case EACCES: case EPERM: case EISDIR: return ERROR_ACCESS_DENIED;
        case EROFS: return ERROR_WRITE_PROTECT;
        case EMFILE: case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
        case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
        // A lock held by another process, or a busy file: what share mode 0 reports.
        case EWOULDBLOCK: case EBUSY: case ETXTBSY: return ERROR_SHARING_VIOLATION;
        case EIO: return ERROR_GEN_FAILURE;
        case ENOSPC: case EDQUOT: return ERROR_HANDLE_DISK_FULL;
        case EBADF: return ERROR_INVALID_HANDLE;
        case ENODEV: return ERROR_INVALID_DRIVE;
        case ENXIO: return ERROR_NOT_READY;
        case EXDEV: return ERROR_NOT_SAME_DEVICE;
        case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
        case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
        case EINVAL: case EFBIG: case EOVERFLOW: return ERROR_INVALID_PARAMETER;
        default: return ERROR_INVALID_FUNCTION;
    }
}

}  // namespace tessaro
