# Charts as picture files, with no display.
tarvane_add_test(test_chart_files LABEL unit
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/chart_files_test.cpp
  LIBS tarvane_chart tarvane_test_support)
