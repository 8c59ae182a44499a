# Checks of the tree that CI runs with the unit tests: the include graph of every source against
# the layer table, and the check's own tests.
if(NOT Python3_Interpreter_FOUND)
  return()
endif()
add_test(NAME check_layers COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/check_layers.py
  --source-root ${CMAKE_SOURCE_DIR} --build ${CMAKE_BINARY_DIR})
add_test(NAME check_layers_test
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/check_layers_test.py)
set_tests_properties(check_layers check_layers_test PROPERTIES LABELS unit)
