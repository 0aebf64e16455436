# Helper functions shared by the subsystem folders.

# Windows builds link the mingw runtime (libgcc, libstdc++, winpthread)
# statically into every module: each module then unwinds its own C++
# exceptions with its own copy of the unwinder, and no runtime DLLs need to
# travel with the binaries. Exceptions never cross a module boundary here.
macro(qrv_setup_windows_build)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800
                          NOMINMAX STRICT _MBCS)
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Message maps keep handlers of many types in one table, as MFC's do, and
  # GetProcAddress results are cast to the entry point's type.
  add_compile_options(-Wno-cast-function-type)
  # Sources are UTF-8; the programs' texts are ANSI (code page 1252).
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP1252)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    # Driver entry points are exported undecorated (no @n suffix).
    set(QRV_STDCALL_LINK_FLAGS -Wl,--kill-at)
  else()
    set(QRV_STDCALL_LINK_FLAGS "")
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
# Usage: qrv_add_test(NAME source... [LIBS lib...])
function(qrv_add_test name)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  # Test code is not optimised: that nearly halves its compile time on these
  # 2-core machines. The library it tests stays fully optimised.
  target_compile_options(${name} PRIVATE -O0)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
