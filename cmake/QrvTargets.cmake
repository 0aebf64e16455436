# Helper functions shared by the subsystem folders.

# Windows builds share one GCC runtime (libgcc's unwinder, libstdc++,
# winpthread) among all modules, as an MFC process shares its C runtime: a
# C++ exception thrown in the host then unwinds through frames of afx.dll or
# QRV.dll and back, on 32-bit code (DWARF-2 unwinding) as on 64-bit code.
# The runtime DLLs are copied beside the programs and installed with the
# package. Driver modules are delivered on their own and link it statically.
macro(qrv_setup_windows_build)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800
                          NOMINMAX STRICT _MBCS)
  qrv_copy_runtime_dlls()
  # Message maps keep handlers of many types in one table, as MFC's do, and
  # GetProcAddress results are cast to the entry point's type.
  add_compile_options(-Wno-cast-function-type)
  # Sources are UTF-8; the programs' texts are ANSI (code page 1252).
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP1252)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
  # Driver modules (samples, test fixtures) stand alone: the runtime is
  # linked into them, and on 32-bit their entry points are exported
  # undecorated (no @n suffix).
  set(QRV_DRIVER_LINK_FLAGS -static -static-libgcc -static-libstdc++)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    list(APPEND QRV_DRIVER_LINK_FLAGS -Wl,--kill-at)
  endif()
endmacro()

# GoogleTest built from Debian's sources with the cross compiler.
function(qrv_add_googletest)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE -Wno-error -O0)
  target_compile_options(gtest_main PRIVATE -Wno-error -O0)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endfunction()

# A GoogleTest program under tests/, run by CTest (under Wine for Windows builds).
# Usage: qrv_add_test(NAME [NO_DISPLAY] source... [LIBS lib...])
# Programs that show windows take a virtual display each (they read its
# pixels, its focus and its clipboard): CTest hands out the displays listed
# in build/<preset>/displays.json, one program a display; NO_DISPLAY ones
# run beside.
function(qrv_add_test name)
  cmake_parse_arguments(T "NO_DISPLAY" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  # Test code is not optimised: that nearly halves its compile time on these
  # 2-core machines. The library it tests stays fully optimised.
  target_compile_options(${name} PRIVATE -O0)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
  add_test(NAME ${name} COMMAND ${name})
  # The label lets ./qrv check that each such program wrote its results.
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS gtest)
  if(NOT T_NO_DISPLAY)
    set_tests_properties(${name} PROPERTIES RESOURCE_GROUPS display:1)
  endif()
endfunction()

# The GCC runtime DLLs the programs of this toolchain load, by full path.
function(qrv_runtime_dlls out)
  set(dlls "")
  foreach(name libstdc++-6.dll libwinpthread-1.dll libgcc_s_seh-1.dll libgcc_s_dw2-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
      list(APPEND dlls "${path}")
    endif()
  endforeach()
  set(${out} ${dlls} PARENT_SCOPE)
endfunction()

# Puts the runtime DLLs beside the build's programs and into the package's bin/.
macro(qrv_copy_runtime_dlls)
  qrv_runtime_dlls(QRV_RUNTIME_DLLS)
  list(LENGTH QRV_RUNTIME_DLLS _qrv_count)
  if(_qrv_count LESS 3)
    message(FATAL_ERROR "GCC runtime DLLs not found beside ${CMAKE_CXX_COMPILER}: ${QRV_RUNTIME_DLLS}")
  endif()
  file(COPY ${QRV_RUNTIME_DLLS} DESTINATION ${CMAKE_BINARY_DIR}/bin)
  install(FILES ${QRV_RUNTIME_DLLS} DESTINATION bin)
endmacro()
