#pragma once

#include <cstdint>

namespace tessaro::os {

// The Win32 code that Windows reports for the condition a POSIX errno describes, so that
// POSIX failures go through the same classification as the Windows ones.
std::uint32_t Win32CodeFromErrno(int errnoValue);

}  // namespace tessaro::os
