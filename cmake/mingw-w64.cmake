# Cross build for Windows with Debian's mingw-w64 (the POSIX-thread variant of the
# compiler, so that std::thread works). Included by the two toolchain files beside it,
# which name the target: i686-w64-mingw32.cmake (32-bit, the product) and
# x86_64-w64-mingw32.cmake (64-bit, for test runs under wine64 alone).
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TESSARO_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${TESSARO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSARO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSARO_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TESSARO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread go into each program, so that a program needs no DLL
# beyond those every Windows has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
