# find_package(QRV): the imported targets QRV::afx (the framework, afx.dll) and
# QRV::QRV (the library, QRV.dll, which brings QRV::afx along).
# Hosts are built with the same mingw-w64 compilers (posix threads) as the package.
get_filename_component(_qrv_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

# The framework's WinMain (libafxmain.a): a host writes none, as with MFC. The
# linker is told to look for it from the start, since the C runtime asks for it
# only after the host's libraries; a host with its own WinMain or main keeps that.
if(NOT TARGET QRV::afxmain)
  add_library(QRV::afxmain STATIC IMPORTED)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(_qrv_winmain _WinMain@16)
  else()
    set(_qrv_winmain WinMain)
  endif()
  set_target_properties(QRV::afxmain PROPERTIES
    IMPORTED_LOCATION "${_qrv_prefix}/lib/libafxmain.a"
    INTERFACE_LINK_OPTIONS "-Wl,-u,${_qrv_winmain}"
    # It calls AfxWinMain in afx.dll and is linked after afx's import library.
    INTERFACE_LINK_LIBRARIES "${_qrv_prefix}/lib/libafx.dll.a")
  unset(_qrv_winmain)
endif()

if(NOT TARGET QRV::afx)
  add_library(QRV::afx SHARED IMPORTED)
  set_target_properties(QRV::afx PROPERTIES
    IMPORTED_LOCATION "${_qrv_prefix}/bin/afx.dll"
    IMPORTED_IMPLIB "${_qrv_prefix}/lib/libafx.dll.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_qrv_prefix}/include/afx/include"
    # The structure layouts the framework was compiled with, and ANSI text.
    INTERFACE_COMPILE_DEFINITIONS "WINVER=0x0601;_WIN32_WINNT=0x0601;_WIN32_IE=0x0800;NOMINMAX;STRICT;_MBCS"
    INTERFACE_COMPILE_FEATURES cxx_std_17
    INTERFACE_LINK_LIBRARIES "QRV::afxmain;comctl32;gdi32;user32;advapi32;shell32;comdlg32;ole32;oleaut32;uuid;shlwapi;version")
endif()

if(NOT TARGET QRV::QRV)
  add_library(QRV::QRV SHARED IMPORTED)
  set_target_properties(QRV::QRV PROPERTIES
    IMPORTED_LOCATION "${_qrv_prefix}/bin/QRV.dll"
    IMPORTED_IMPLIB "${_qrv_prefix}/lib/libQRV.dll.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_qrv_prefix}/include/QRV"
    INTERFACE_LINK_LIBRARIES QRV::afx)
endif()

# Every DLL a host ships beside its program: the package's modules and the
# GCC runtime they share with the host (one unwinder, so that C++ exceptions
# cross from the host into the library's frames and back).
file(GLOB QRV_RUNTIME_DLLS "${_qrv_prefix}/bin/*.dll")

foreach(_qrv_file "${_qrv_prefix}/bin/afx.dll" "${_qrv_prefix}/lib/libafx.dll.a" "${_qrv_prefix}/lib/libafxmain.a"
                  "${_qrv_prefix}/bin/QRV.dll" "${_qrv_prefix}/lib/libQRV.dll.a")
  if(NOT EXISTS "${_qrv_file}")
    set(QRV_FOUND FALSE)
    set(QRV_NOT_FOUND_MESSAGE "QRV package incomplete: ${_qrv_file} is missing")
  endif()
endforeach()
unset(_qrv_file)
unset(_qrv_prefix)
