# Cross-compiles the 64-bit Windows build with mingw-w64: the same sources,
# shipped as Nicset64.exe, and the tests of machines whose only Wine is the
# 64-bit one.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(NICSET_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
