# Finds Squirrel 3.1 with its standard library. A standalone install (upstream's library names
# squirrel and sqstdlib) is preferred; otherwise the copy that Debian's codeblocks-dev exports
# from libcodeblocks.so is used. Defines the imported target Squirrel::Squirrel.
include(FindPackageHandleStandardArgs)

find_path(Squirrel_INCLUDE_DIR squirrel.h PATH_SUFFIXES squirrel squirrel3)
find_library(Squirrel_LIBRARY NAMES squirrel squirrel3)
find_library(Squirrel_STDLIB NAMES sqstdlib sqstdlib3)

if(Squirrel_INCLUDE_DIR AND Squirrel_LIBRARY AND Squirrel_STDLIB)
  set(Squirrel_LIBRARIES ${Squirrel_LIBRARY} ${Squirrel_STDLIB})
  set(Squirrel_FLAVOUR "standalone")
else()
  unset(Squirrel_INCLUDE_DIR CACHE)
  find_path(Squirrel_INCLUDE_DIR squirrel.h PATHS /usr/include/codeblocks/scripting/include NO_DEFAULT_PATH)
  find_library(Squirrel_CODEBLOCKS_LIBRARY NAMES codeblocks PATHS /usr/lib /usr/lib/x86_64-linux-gnu)
  if(Squirrel_INCLUDE_DIR AND Squirrel_CODEBLOCKS_LIBRARY)
    set(Squirrel_LIBRARIES ${Squirrel_CODEBLOCKS_LIBRARY})
    set(Squirrel_FLAVOUR "codeblocks-dev")
  endif()
endif()

find_package_handle_standard_args(Squirrel
  REQUIRED_VARS Squirrel_LIBRARIES Squirrel_INCLUDE_DIR
  FAIL_MESSAGE "Squirrel 3.1 not found: install the Debian package codeblocks-dev (scripts/install-deps.sh does)")

if(Squirrel_FOUND AND NOT TARGET Squirrel::Squirrel)
  message(STATUS "Squirrel: ${Squirrel_FLAVOUR} (${Squirrel_LIBRARIES})")
  add_library(Squirrel::Squirrel INTERFACE IMPORTED)
  set_target_properties(Squirrel::Squirrel PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${Squirrel_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES "${Squirrel_LIBRARIES}")
endif()
