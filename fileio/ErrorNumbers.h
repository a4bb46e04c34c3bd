#pragma once

#include <cstdint>

namespace tessaro {

// The program's one numbering of failures; 0 means no error.
using ErrorNumber = std::uint8_t;

inline constexpr ErrorNumber kNoError = 0;
inline constexpr ErrorNumber kErrInvalidArgument = 5;
inline constexpr ErrorNumber kErrOverflow = 6;
inline constexpr ErrorNumber kErrOutOfMemory = 7;
inline constexpr ErrorNumber kErrIndexOutOfBounds = 9;
inline constexpr ErrorNumber kErrOutOfPaper = 27;
inline constexpr ErrorNumber kErrInternal = 51;
inline constexpr ErrorNumber kErrFileNotOpen = 52;
inline constexpr ErrorNumber kErrFileNotFound = 53;
inline constexpr ErrorNumber kErrWrongFileMode = 54;
inline constexpr ErrorNumber kErrFileAlreadyOpen = 55;
inline constexpr ErrorNumber kErrDeviceIo = 57;
inline constexpr ErrorNumber kErrFileExists = 58;
inline constexpr ErrorNumber kErrDiskFull = 61;
inline constexpr ErrorNumber kErrReadPastEnd = 62;
inline constexpr ErrorNumber kErrBadPosition = 63;
inline constexpr ErrorNumber kErrBadFileName = 64;
inline constexpr ErrorNumber kErrTooManyFiles = 67;
inline constexpr ErrorNumber kErrDeviceUnavailable = 68;
inline constexpr ErrorNumber kErrPermissionDenied = 70;
inline constexpr ErrorNumber kErrDriveNotReady = 71;
inline constexpr ErrorNumber kErrMediumError = 72;
inline constexpr ErrorNumber kErrRenameAcrossDrives = 74;
inline constexpr ErrorNumber kErrPathAccess = 75;
inline constexpr ErrorNumber kErrPathNotFound = 76;
// Ours, beyond the numbers the messages have: a folder, a device, a FIFO or a socket where
// a file was to be opened. It has no box of its own and is never tried again.
inline constexpr ErrorNumber kErrNotAFile = 80;
inline constexpr ErrorNumber kErrOsMemory = 241;

// Translates a Win32 last-error code into the numbering. Codes from 1 to 39 are failures;
// 0 and every code of 40 or more count as success and give kNoError (an open of an
// existing file may leave ERROR_ALREADY_EXISTS behind, and that is no failure).
ErrorNumber ClassifyWin32Error(std::uint32_t win32Code);

}  // namespace tessaro
