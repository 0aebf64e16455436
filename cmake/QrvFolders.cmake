# The library's folders as CMake targets that name what they use.
#
# Sources include each other by their path below the source root
# ("catalogue/PlcInfoList.h"). A folder does not see the root itself: it sees
# an include root of its own in the build tree that links only the folders it
# declares, so an include of an undeclared folder fails to compile.

# Makes the include root of folder NAME that shows NAME and the USES folders.
function(qrv_include_root name out)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(dir ${name} ${ARGN})
    if(NOT IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${dir})
      message(FATAL_ERROR "folder ${name} declares ${dir}, which does not exist")
    endif()
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${dir} ${root}/${dir} SYMBOLIC)
  endforeach()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# A subsystem folder of QRV.dll: its sources become an object library whose
# objects are linked into QRV.dll.
# Usage: qrv_library_folder(NAME [USES folder...])
function(qrv_library_folder name)
  cmake_parse_arguments(F "" "" "USES" ${ARGN})
  qrv_include_root(${name} root ${F_USES})
  set_property(GLOBAL APPEND PROPERTY QRV_FOLDER_GRAPH "${name}: ${F_USES}")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp)
  add_library(qrv_${name} OBJECT ${sources})
  target_compile_definitions(qrv_${name} PRIVATE _AFXEXT QRV_BUILD)
  target_include_directories(qrv_${name} PRIVATE ${root})
  target_link_libraries(qrv_${name} PRIVATE afx)
  target_sources(QRV PRIVATE $<TARGET_OBJECTS:qrv_${name}>)
endfunction()
