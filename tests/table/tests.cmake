tarvane_add_test(test_analysis_table LABEL script
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/analysis_table_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/analysis_table_sorting_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/table_export_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/average_deck_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cell_shading_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/analysis_table_archetypes_test.cpp
  LIBS tarvane_table tarvane_test_support Squirrel::Squirrel)
# Over the shipped start-up script, sample dictionary and sample decks, read from the sources.
tarvane_add_test(test_shipped_statistics LABEL script
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/shipped_statistics_test.cpp
  LIBS tarvane_table tarvane_test_support Squirrel::Squirrel)
target_compile_definitions(test_shipped_statistics PRIVATE TARVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# The charts' numbers and their drawing, without a display.
tarvane_add_test(test_chart_numbers LABEL script
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/chart_numbers_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/chart_drawing_test.cpp
  LIBS tarvane_table tarvane_test_support Squirrel::Squirrel)
