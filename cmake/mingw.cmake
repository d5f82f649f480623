# What both mingw-w64 toolchain files share; each sets NICSET_MINGW (the
# target triplet) and CMAKE_SYSTEM_PROCESSOR, then includes this file.
set(CMAKE_SYSTEM_NAME Windows)

# The win32 thread model: the posix one links libwinpthread into every
# program, and with it imports that Windows 98, 2000 and XP lack
# (GetTickCount64, AddVectoredExceptionHandler), so those refuse to start it.
# The 64-bit build takes the same: 64-bit XP and Server 2003 lack
# GetTickCount64 too.
set(CMAKE_C_COMPILER ${NICSET_MINGW}-gcc-win32)
set(CMAKE_CXX_COMPILER ${NICSET_MINGW}-g++-win32)
set(CMAKE_RC_COMPILER ${NICSET_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NICSET_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
