tarvane_add_test(test_tarvane_cli LABEL script
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tarvane_cli_test.cpp
  LIBS tarvane_cli_core tarvane_test_support)
# The tool itself is run over the build's program folder too.
add_dependencies(test_tarvane_cli tarvane-cli)
# A generated metagame in every shape that import accepts, through the built tool.
tarvane_add_test(test_import_metagame LABEL script
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/import_metagame_test.cpp
  LIBS ttl_core)
add_dependencies(test_import_metagame tarvane-cli)
