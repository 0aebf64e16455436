# Installs the build into a fresh prefix, builds one MFC host project against
# it unchanged, and lets MfcHostDriver run the host and check what it shows
# (with BUILD_ONLY, only builds it).
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/QrvHostInstall.cmake)
file(COPY ${HOST_SOURCE_DIR}/ DESTINATION ${WORK_DIR}/src)

build_host()

file(GLOB program ${WORK_DIR}/build/*.exe)
if(NOT program)
  message(FATAL_ERROR "the ${HOST} host built no program")
endif()
if(BUILD_ONLY)
  message(STATUS "the ${HOST} host built: ${program}")
  return()
endif()
# The program as Wine sees it (drive Z: is the root).
string(REPLACE "/" "\\" program "Z:${program}")
set(args ${HOST} ${program})
if(HOST STREQUAL "sdi")
  # The single-document host saves its files into a folder of this test.
  file(MAKE_DIRECTORY ${WORK_DIR}/files)
  string(REPLACE "/" "\\" files "Z:${WORK_DIR}/files")
  list(APPEND args ${files})
endif()
execute_process(COMMAND ${EMULATOR} ${DRIVER} ${args}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "driver output:\n${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the ${HOST} host failed its checks (${rc}):\n${out}\n${err}")
endif()
