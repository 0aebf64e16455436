# Shared by the out-of-tree host tests (run with cmake -P): run() runs a
# command and stops the script with its output when it fails; the build in
# BUILD_DIR is installed into a fresh ${WORK_DIR}/prefix; build_host()
# configures and builds a host project against it.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# Builds the host project copied to ${WORK_DIR}/src into ${WORK_DIR}/build
# with the test build's generator, toolchain and compiler launcher.
function(build_host)
  set(launcher "")
  # ccache refuses a relative base folder; the host is outside every work tree anyway.
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
endfunction()
