# The build's layers. Each layer is one static library that names the layers it links; its
# PUBLIC include folder is a folder of the build tree holding only links to the layer's own
# header folders (or files), so `#include "model/card.h"` resolves only in code whose library
# links the data side, and including a header of a layer that is not linked fails to compile.

# tarvane_expose_headers(target path...): each path, relative to the source root, is a folder or
# a file pattern (tt_*.h); a link to it goes into <build>/include/<target>/ at the same relative
# path, and that folder becomes the target's PUBLIC include folder.
function(tarvane_expose_headers target)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  foreach(pattern ${ARGN})
    if(pattern MATCHES "[*?]")
      file(GLOB paths CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/${pattern})
    elseif(EXISTS ${CMAKE_SOURCE_DIR}/${pattern})
      set(paths ${pattern})
    else()
      set(paths)
    endif()
    if(NOT paths)
      message(FATAL_ERROR "${target}: nothing to expose at ${pattern}")
    endif()
    foreach(path ${paths})
      get_filename_component(parent ${root}/${path} DIRECTORY)
      file(MAKE_DIRECTORY ${parent})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
    endforeach()
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# The rows of cmake/layers.txt: for each library, TARVANE_LAYER_<library>_FOLDERS and
# TARVANE_LAYER_<library>_LINKS.
set(TARVANE_LAYER_TABLE ${CMAKE_SOURCE_DIR}/cmake/layers.txt)
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${TARVANE_LAYER_TABLE})
file(STRINGS ${TARVANE_LAYER_TABLE} tarvane_layer_rows REGEX "^[^#]")
foreach(row ${tarvane_layer_rows})
  string(REGEX REPLACE "[ \t]+" ";" fields "${row}")
  list(LENGTH fields count)
  if(NOT count EQUAL 3)
    message(FATAL_ERROR "cmake/layers.txt: a row is library, folders and links: ${row}")
  endif()
  list(GET fields 0 library)
  list(GET fields 1 folders)
  list(GET fields 2 links)
  string(REPLACE "," ";" folders "${folders}")
  if(links STREQUAL "-")
    set(links "")
  endif()
  string(REPLACE "," ";" links "${links}")
  set(TARVANE_LAYER_${library}_FOLDERS ${folders})
  set(TARVANE_LAYER_${library}_LINKS ${links})
endforeach()

# tarvane_add_layer(name SOURCES ... [PRIVATE library...]): the layer's header folders and the
# layers it links come from its row of the table.
function(tarvane_add_layer name)
  cmake_parse_arguments(L "" "" "SOURCES;PRIVATE" ${ARGN})
  if(NOT DEFINED TARVANE_LAYER_${name}_FOLDERS)
    message(FATAL_ERROR "${name} has no row in cmake/layers.txt")
  endif()
  add_library(${name} STATIC ${L_SOURCES})
  tarvane_expose_headers(${name} ${TARVANE_LAYER_${name}_FOLDERS})
  target_link_libraries(${name} PUBLIC ${TARVANE_LAYER_${name}_LINKS} PRIVATE ${L_PRIVATE})
endfunction()

# tarvane_use_wx_privately(target): the equivalent of include(${wxWidgets_USE_FILE}), kept to the
# target so that code linking it does not see the widget set.
function(tarvane_use_wx_privately target)
  target_include_directories(${target} SYSTEM PRIVATE ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(${target} PRIVATE ${wxWidgets_DEFINITIONS})
  target_compile_options(${target} PRIVATE ${wxWidgets_CXX_FLAGS})
endfunction()
