tarvane_add_test(test_analysis_table LABEL script
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/analysis_table_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/analysis_table_sorting_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/table_export_test.cpp
  LIBS tarvane_table tarvane_test_support)
