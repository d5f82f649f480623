# The release package: a zip with Nicset.exe, the manual and a read-me, to
# unpack and run on Windows.   cmake --build build/win --target package
install(TARGETS Nicset RUNTIME DESTINATION .)
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
# One folder in the zip, so that unpacking keeps the three files together.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The build keeps its debug information (RelWithDebInfo); the released copy
# goes without it.
set(CPACK_STRIP_FILES ON)
include(CPack)
