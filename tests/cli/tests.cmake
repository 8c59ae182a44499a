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
# The headless programs in both languages, run as built.
tarvane_add_test(test_program_language LABEL unit
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/language_test.cpp
  LIBS ttl_core)
add_dependencies(test_program_language tarvane-cli tarvane-dict tarvane-bench)
# The in-process tests expect the English texts whatever the developer's locale.
set_tests_properties(test_tarvane_cli test_import_metagame PROPERTIES ENVIRONMENT_MODIFICATION
  "LANG=set:C.UTF-8;LC_ALL=unset:;LC_MESSAGES=unset:")
