# The main window and the entry point, driven under Xvfb (label gui). The entry point's source is
# compiled into the test program without its main. With TARVANE_SCREENSHOT set to a PNG path, the
# test with the shipped sample decks saves a picture of the window there.
tarvane_add_test(test_main_window LABEL gui
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/main_frame_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_list_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_point_test.cpp
    ${CMAKE_SOURCE_DIR}/ui/tarvane_main.cpp
  LIBS tarvane_ui tarvane_test_support ttl_gui_test_main)
target_compile_definitions(test_main_window PRIVATE
  TARVANE_ENTRY_POINT_UNDER_TEST TARVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  TARVANE_PROGRAM_DIR="${TARVANE_BIN_DIR}")
# The test of the shipped program folder needs the folder made.
add_dependencies(test_main_window tarvane_data)

# What only a window manager decides (placement, stacking): the test starts openbox on the
# display, so it runs alone; without openbox its tests are skipped.
tarvane_add_test(test_window_manager LABEL gui
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_manager_test.cpp ${CMAKE_SOURCE_DIR}/ui/tarvane_main.cpp
  LIBS tarvane_ui tarvane_test_support ttl_gui_test_main)
target_compile_definitions(test_window_manager PRIVATE
  TARVANE_ENTRY_POINT_UNDER_TEST TARVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  TARVANE_PROGRAM_DIR="${TARVANE_BIN_DIR}")
set_tests_properties(test_window_manager PROPERTIES RUN_SERIAL TRUE)
