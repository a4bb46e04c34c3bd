# 32-bit Windows (Windows 7 and later): the build that is shipped.
set(TESSARO_MINGW_TRIPLE i686-w64-mingw32)
set(TESSARO_MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
