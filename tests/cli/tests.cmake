tarvane_add_test(test_tarvane_cli LABEL script
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tarvane_cli_test.cpp
  LIBS tarvane_cli_core tarvane_test_support)
# The tool itself is run over the build's program folder too.
add_dependencies(test_tarvane_cli tarvane-cli)
