# Installs the build into a fresh prefix, builds one MFC host project against
# it unchanged, and lets MfcHostDriver run the host and check what it shows.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/QrvHostInstall.cmake)
file(COPY ${HOST_SOURCE_DIR}/ DESTINATION ${WORK_DIR}/src)

set(launcher "")
if(DEFINED ENV{CCACHE_BASEDIR} AND NOT IS_ABSOLUTE "$ENV{CCACHE_BASEDIR}")
  unset(ENV{CCACHE_BASEDIR})
endif()
if(LAUNCHER)
  set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
run("configure" ${CMAKE_COMMAND} -S ${WORK_DIR}/src -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM} -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_PREFIX_PATH=${prefix} ${launcher})
run("build" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)

file(GLOB program ${WORK_DIR}/build/*.exe)
if(NOT program)
  message(FATAL_ERROR "the ${HOST} host built no program")
endif()
# The program as Wine sees it (drive Z: is the root).
string(REPLACE "/" "\\" program "Z:${program}")
execute_process(COMMAND ${EMULATOR} ${DRIVER} ${HOST} ${program}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "driver output:\n${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the ${HOST} host failed its checks (${rc}):\n${out}\n${err}")
endif()
