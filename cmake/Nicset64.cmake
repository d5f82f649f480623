# The 64-bit Nicset that the 32-bit release ships as Nicset64.exe: 64-bit
# Windows restarts a network card only for a 64-bit program, so Nicset.exe
# hands that step to the one beside it. Run at every build of the 32-bit
# program (cmake/Release.cmake); the 64-bit program is built in a build
# folder of its own, which this configures first when it has no cache yet,
# so that a 32-bit build folder alone still makes the whole package.
#   cmake -DSOURCE_DIR=... -DBINARY_DIR=... -DGENERATOR=... [-DPLATFORM=x64]
#         [-DTOOLCHAIN=...] [-DBUILD_TYPE=...] -DBUILD_TESTS=ON|OFF [-DCONFIG=...]
#         -DPROGRAM=<its Nicset.exe> -DCOPY=<Nicset64.exe> -P Nicset64.cmake
# The package's install step strips the copy it installs:
#   cmake -DBINARY_DIR=... -DSTRIP_FILE=<installed Nicset64.exe> -P Nicset64.cmake
cmake_minimum_required(VERSION 3.18)

if(STRIP_FILE)
  # With the 64-bit build's own strip: the 32-bit binutils read no 64-bit
  # program. A build without one (Visual Studio) has nothing to strip.
  file(STRINGS "${BINARY_DIR}/CMakeCache.txt" strip REGEX "^CMAKE_STRIP:")
  string(REGEX REPLACE "^[^=]*=" "" strip "${strip}")
  if(strip)
    execute_process(COMMAND "${strip}" "${STRIP_FILE}" RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "Cannot strip ${STRIP_FILE} with ${strip}")
    endif()
  endif()
  return()
endif()

if(NOT EXISTS "${BINARY_DIR}/CMakeCache.txt")
  set(args -G "${GENERATOR}" -DNICSET_BUILD_TESTS=${BUILD_TESTS})
  if(PLATFORM)
    list(APPEND args -A "${PLATFORM}")
  endif()
  if(TOOLCHAIN)
    list(APPEND args "-DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}")
  endif()
  if(BUILD_TYPE)
    list(APPEND args "-DCMAKE_BUILD_TYPE=${BUILD_TYPE}")
  endif()
  message(STATUS "Configuring the 64-bit Nicset in ${BINARY_DIR}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${BINARY_DIR}" ${args}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Cannot configure the 64-bit Nicset in ${BINARY_DIR}")
  endif()
endif()

set(config)
if(CONFIG)
  set(config --config "${CONFIG}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BINARY_DIR}" --target Nicset ${config}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Cannot build the 64-bit Nicset in ${BINARY_DIR}")
endif()

# A folder set up for another processor would make a Nicset64.exe that
# cannot do the one thing it is there for: the PE header must say x64
# (machine 0x8664 after the "PE\0\0" signature).
file(READ "${PROGRAM}" offset OFFSET 60 LIMIT 4 HEX)
string(REGEX REPLACE "^(..)(..)(..)(..)$" "0x\\4\\3\\2\\1" offset "${offset}")
math(EXPR offset "${offset}")
file(READ "${PROGRAM}" signature OFFSET ${offset} LIMIT 6 HEX)
if(NOT signature STREQUAL "504500006486")
  message(FATAL_ERROR "${PROGRAM} is not a 64-bit (x64) Windows program: "
                      "${BINARY_DIR} is not a 64-bit build of Nicset")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${PROGRAM}" "${COPY}"
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Cannot copy ${PROGRAM} to ${COPY}")
endif()
