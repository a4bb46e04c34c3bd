# 64-bit Windows: the same sources, for test runs under wine64 where no 32-bit Wine is
# installed.
set(TESSARO_MINGW_TRIPLE x86_64-w64-mingw32)
set(TESSARO_MINGW_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
