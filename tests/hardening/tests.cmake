# Hardening: the fuzz targets (label fuzz) and the tests of bad input, faults and long use.
add_subdirectory(${CMAKE_SOURCE_DIR}/fuzz ${CMAKE_BINARY_DIR}/fuzz)

tarvane_add_test(test_hardening LABEL unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/bad_input_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_fault_test.cpp
  LIBS tarvane_core)

# The windows that write the settings file; the main window is built as the entry point builds
# it, so the entry point's source is compiled in without its main.
if(TARGET tarvane_ui)
  tarvane_add_test(test_hardening_windows LABEL gui
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_fault_gui_test.cpp ${CMAKE_SOURCE_DIR}/ui/tarvane_main.cpp
    LIBS tarvane_ui tarvane_test_support ttl_gui_test_main)
  target_compile_definitions(test_hardening_windows PRIVATE
    TARVANE_ENTRY_POINT_UNDER_TEST TARVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()

# Over the shipped start-up script, dictionary and deck lists of the program folder.
tarvane_add_test(test_script_misuse LABEL script
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/script_misuse_test.cpp
  LIBS tarvane_cli_core Squirrel::Squirrel)
add_dependencies(test_script_misuse tarvane_data)

# The built tools run as a user runs them, under a file-size limit and with a standard output
# that cannot be written.
tarvane_add_test(test_built_tools LABEL script
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/built_tools_test.cpp
  LIBS ttl_core)
add_dependencies(test_built_tools tarvane-cli tarvane_data)
if(TARGET tarvane-dict)
  add_dependencies(test_built_tools tarvane-dict)
endif()

# Takes over the engine's allocation functions to count what the engine holds.
tarvane_add_test(test_soak LABEL script
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/soak_test.cpp ${CMAKE_CURRENT_LIST_DIR}/engine_allocations.cpp
  LIBS tarvane_cli_core)
add_dependencies(test_soak tarvane_data)

# In the sanitizer build every test skips the leaks of the desktop's libraries and prints the
# stack of undefined behaviour. Set when this folder's tests are all known.
if(TARVANE_SANITIZE)
  set(TARVANE_LSAN_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/lsan.supp)
  function(tarvane_set_sanitizer_environment)
    get_property(tests DIRECTORY PROPERTY TESTS)
    foreach(test ${tests})
      set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
        "LSAN_OPTIONS=suppressions=${TARVANE_LSAN_SUPPRESSIONS}" "UBSAN_OPTIONS=print_stacktrace=1")
    endforeach()
  endfunction()
  cmake_language(DEFER CALL tarvane_set_sanitizer_environment)
endif()
# The tool's messages follow the locale; these tests expect the English ones whatever the
# developer's locale.
set_tests_properties(test_script_misuse test_soak test_built_tools PROPERTIES
  ENVIRONMENT_MODIFICATION "LANG=set:C.UTF-8;LC_ALL=unset:;LC_MESSAGES=unset:")
