# The chart window over the main window, driven under Xvfb.
tarvane_add_test(test_chart_window LABEL gui
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/chart_window_test.cpp ${CMAKE_SOURCE_DIR}/ui/tarvane_main.cpp
  LIBS tarvane_ui tarvane_test_support ttl_gui_test_main)
target_compile_definitions(test_chart_window PRIVATE
  TARVANE_ENTRY_POINT_UNDER_TEST TARVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  TARVANE_PROGRAM_DIR="${TARVANE_BIN_DIR}")
