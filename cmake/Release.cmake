# The release package: a zip with Nicset.exe, Nicset64.exe, the manual and a
# read-me, to unpack and run on Windows.   cmake --build build/win --target package
install(TARGETS Nicset RUNTIME DESTINATION .)

# Nicset64.exe is the 64-bit build's Nicset.exe. That build has a folder of
# its own, by default this one's name with "64" appended (build/win64 beside
# build/win, where ./test.sh builds it anyway); every build of this folder
# builds the program there (configuring the folder first if need be) and
# copies it beside Nicset.exe, so that the package always holds the current
# one and the build folder the layout of the release.
set(NICSET_WIN64_DIR "${PROJECT_BINARY_DIR}64" CACHE PATH
    "Build folder of the 64-bit Nicset, shipped as Nicset64.exe (configured there if need be)")
get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
if(multi_config)
  set(nicset64_program "${NICSET_WIN64_DIR}/$<CONFIG>/Nicset.exe")
  set(nicset64_copy "${PROJECT_BINARY_DIR}/$<CONFIG>/Nicset64.exe")
else()
  set(nicset64_program "${NICSET_WIN64_DIR}/Nicset.exe")
  set(nicset64_copy "${PROJECT_BINARY_DIR}/Nicset64.exe")
endif()
# The same generator in the 64-bit folder: Visual Studio with the x64
# platform, our mingw-w64 cross build with its 64-bit toolchain. Any other
# 64-bit folder is configured by hand (the build refuses a 32-bit one).
set(nicset64_args -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DBINARY_DIR=${NICSET_WIN64_DIR}
    "-DGENERATOR=${CMAKE_GENERATOR}" -DBUILD_TESTS=${NICSET_BUILD_TESTS}
    -DBUILD_TYPE=${CMAKE_BUILD_TYPE} -DCONFIG=$<CONFIG> -DPROGRAM=${nicset64_program}
    -DCOPY=${nicset64_copy})
if(CMAKE_GENERATOR_PLATFORM)
  list(APPEND nicset64_args -DPLATFORM=x64)
elseif(CMAKE_TOOLCHAIN_FILE MATCHES "/cmake/mingw-i686.cmake$")
  list(APPEND nicset64_args -DTOOLCHAIN=${PROJECT_SOURCE_DIR}/cmake/mingw-x86_64.cmake)
endif()
if(CMAKE_GENERATOR MATCHES "Makefiles")
  # A recipe that names $(MAKE) gets make's job slots, so the nested build
  # shares this build's -j instead of falling back to one job.
  list(APPEND nicset64_args "-DMAKE=$(MAKE)")
endif()
add_custom_target(Nicset64 ALL
  COMMAND ${CMAKE_COMMAND} ${nicset64_args} -P ${PROJECT_SOURCE_DIR}/cmake/Nicset64.cmake
  BYPRODUCTS ${nicset64_copy}
  COMMENT "Building the 64-bit Nicset in ${NICSET_WIN64_DIR}"
  VERBATIM)
install(PROGRAMS ${nicset64_copy} DESTINATION .)
# CPack strips only what install(TARGETS) installs.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_COMMAND}\" \"-DBINARY_DIR=${NICSET_WIN64_DIR}\"
    \"-DSTRIP_FILE=\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/Nicset64.exe\"
    -P \"${PROJECT_SOURCE_DIR}/cmake/Nicset64.cmake\" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR \"Nicset64.exe could not be stripped\")
  endif()
endif()")

if(TARGET manual)
  install(FILES ${NICSET_MANUAL} DESTINATION .)
endif()
# Windows users read it in Notepad: CR LF line ends.
configure_file(${PROJECT_SOURCE_DIR}/doc/ReadMe.txt.in ${PROJECT_BINARY_DIR}/ReadMe.txt @ONLY
               NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/ReadMe.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Nicset)
set(CPACK_PACKAGE_VENDOR Quorvia)
# The zip and the folder in it (tests/release checks the package by this name).
set(NICSET_RELEASE_NAME Nicset-${PROJECT_VERSION}-win32)
set(CPACK_PACKAGE_FILE_NAME ${NICSET_RELEASE_NAME})
# One folder in the zip, so that unpacking keeps the files together.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The build keeps its debug information (RelWithDebInfo); the released copy
# goes without it.
set(CPACK_STRIP_FILES ON)
include(CPack)
