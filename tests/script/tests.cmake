tarvane_add_test(test_script_host LABEL script
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/cell_value_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/object_model_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hooks_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup_script_test.cpp
  LIBS tarvane_table tarvane_test_support Squirrel::Squirrel)
# The shipped start-up script is read from the sources and converted as the build converts it.
target_compile_definitions(test_script_host PRIVATE TARVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
