# The headers a host sees: the framework's umbrella headers and the headers
# of the library's exported classes and functions, with every header they
# include in turn. Headers that only the implementation includes stay private.

# Adds to the list OUT the headers FILE includes with quotes, resolved first
# beside FILE, then below the source root.
function(qrv_quoted_includes file out)
  get_filename_component(dir ${file} DIRECTORY)
  file(STRINGS ${file} lines REGEX "^#[ \t]*include[ \t]+\"")
  set(found "")
  foreach(line ${lines})
    string(REGEX REPLACE "^#[ \t]*include[ \t]+\"([^\"]+)\".*" "\\1" name "${line}")
    if(EXISTS ${dir}/${name})
      get_filename_component(path ${dir}/${name} ABSOLUTE)
    elseif(EXISTS ${CMAKE_SOURCE_DIR}/${name})
      get_filename_component(path ${CMAKE_SOURCE_DIR}/${name} ABSOLUTE)
    else()
      continue()
    endif()
    list(APPEND found ${path})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Sets OUT to the public headers reached from the SEEDS (absolute paths).
function(qrv_public_headers out)
  set(done "")
  set(work ${ARGN})
  while(work)
    list(POP_FRONT work file)
    if(file IN_LIST done)
      continue()
    endif()
    list(APPEND done ${file})
    qrv_quoted_includes(${file} more)
    list(APPEND work ${more})
  endwhile()
  set(${out} ${done} PARENT_SCOPE)
endfunction()

# The seeds: afx's umbrella headers, and each library header that declares
# something exported from QRV.dll.
function(qrv_public_header_seeds out)
  file(GLOB seeds ${CMAKE_SOURCE_DIR}/afx/include/*.h)
  foreach(dir ${ARGN})
    file(GLOB headers ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    foreach(header ${headers})
      file(STRINGS ${header} exported REGEX "AFX_EXT_(CLASS|API|DATA)")
      if(exported)
        list(APPEND seeds ${header})
      endif()
    endforeach()
  endforeach()
  set(${out} ${seeds} PARENT_SCOPE)
endfunction()
