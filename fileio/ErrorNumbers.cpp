#include "ErrorNumbers.h"

namespace tessaro {

ErrorNumber ClassifyWin32Error(std::uint32_t win32Code) {
    switch (win32Code) {
        case 1: return kErrPathAccess;
        case 2: return kErrFileNotFound;
        case 3: return kErrPathNotFound;
        case 4: return kErrTooManyFiles;
        case 5: return kErrPathAccess;
        case 6: return kErrInternal;
        case 7:
        case 9:
        case 10: return kErrOsMemory;
        case 8:
        case 14: return kErrOutOfMemory;
        case 11:
        case 12:
        case 13:
        case 22:
        case 24: return kErrInternal;
        case 15:
        case 20: return kErrDeviceUnavailable;
        case 16:
        case 35:
        case 37: return kErrPathAccess;
        case 17: return kErrRenameAcrossDrives;
        case 18: return kErrFileNotFound;
        case 19: return kErrPermissionDenied;
        case 21: return kErrDriveNotReady;
        case 23:
        case 25:
        case 26:
        case 27:
        case 29:
        case 30:
        case 31:
        case 34: return kErrMediumError;
        case 28: return kErrOutOfPaper;
        case 32:
        case 33:
        case 36: return kErrPermissionDenied;
        case 38: return kErrReadPastEnd;
        case 39: return kErrDiskFull;
        default: return kNoError;
    }
}

}  // namespace tessaro
