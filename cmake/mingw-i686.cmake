# Cross-compiles the 32-bit Windows build, the program we ship, with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(NICSET_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
