# Installs the build into a fresh prefix, builds the host project against it
# and checks the catalogue the host prints.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/QrvHostInstall.cmake)
foreach(file bin/afx.dll bin/QRV.dll bin/qrvtool.exe bin/libstdc++-6.dll bin/libwinpthread-1.dll lib/libafx.dll.a lib/libQRV.dll.a lib/libafxmain.a
             include/afx/include/afxres.h include/afx/include/afxres.rc
             include/afx/include/afxwin.h include/QRV/catalogue/PlcInfoList.h
             lib/cmake/QRV/QRVConfig.cmake lib/cmake/QRV/QRVConfigVersion.cmake)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "the package lacks ${file}")
  endif()
endforeach()

# The host's sources, plus one file that includes every public header: their
# includes of each other must resolve inside the package.
file(COPY ${HOST_SOURCE_DIR}/ DESTINATION ${WORK_DIR}/src)
file(GLOB_RECURSE headers RELATIVE ${prefix}/include/QRV ${prefix}/include/QRV/*.h)
list(SORT headers)
set(body "#include <afxwin.h>\n#include <afxcmn.h>\n#include <afxext.h>\n#include <afxdlgs.h>\n")
foreach(header ${headers})
  string(APPEND body "#include \"${header}\"\n")
endforeach()
file(WRITE ${WORK_DIR}/src/PublicHeaders.cpp "${body}")

build_host()

# The driver folder as Wine sees it (drive Z: is the root).
string(REPLACE "/" "\\" folder "Z:${DRIVER_DIR}/")
run("host" ${EMULATOR} ${WORK_DIR}/build/host.exe "${folder}")
message(STATUS "host output:\n${output}")

file(GLOB modules RELATIVE ${DRIVER_DIR} ${DRIVER_DIR}/Z32TPLC*.dll)
list(LENGTH modules count)
if(count EQUAL 0 OR NOT output MATCHES "drivers=${count}\n")
  message(FATAL_ERROR "expected ${count} drivers")
endif()
foreach(module ${modules})
  if(NOT output MATCHES "${module} code=")
    message(FATAL_ERROR "${module} is missing")
  endif()
endforeach()
# Two descriptors in full: project code, firmware and name come from the modules' string tables.
foreach(line "Z32TPLC020.dll code=20 firmware=1.02 name=\"Simatic S5\""
             "Z32TPLC072.dll code=72 firmware=2.03 name=\"Simatic S7 PPI\"")
  string(FIND "${output}" "${line}\n" at)
  if(at LESS 0)
    message(FATAL_ERROR "expected the line: ${line}")
  endif()
endforeach()

# The application without WinMain: the package's WinMain hands it the command
# line, its title from AFX_IDS_APP_TITLE and the framework's strings of afxres.rc.
execute_process(COMMAND ${EMULATOR} ${WORK_DIR}/build/apphost.exe alpha beta
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "apphost output:\n${out}")
if(NOT rc EQUAL 42)
  message(FATAL_ERROR "apphost ended with ${rc}, expected 42:\n${out}\n${err}")
endif()
