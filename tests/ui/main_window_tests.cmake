# The main window and the entry point, driven under Xvfb (label gui). The entry point's source is
# compiled into the test program without its main. With TARVANE_SCREENSHOT set to a PNG path, the
# test with the shipped sample decks saves a picture of the window there.
tarvane_add_test(test_main_window LABEL gui
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/main_frame_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_list_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_point_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/import_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/metagame_views_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/guide_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/archetype_views_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/table_tools_window_test.cpp
    ${CMAKE_SOURCE_DIR}/ui/tarvane_main.cpp
  LIBS tarvane_ui tarvane_test_support ttl_gui_test_main)
target_compile_definitions(test_main_window PRIVATE
  TARVANE_ENTRY_POINT_UNDER_TEST TARVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  TARVANE_PROGRAM_DIR="${TARVANE_BIN_DIR}")
# The test of the shipped program folder needs the folder made.
add_dependencies(test_main_window tarvane_data tarvane_guide)

# What only a window manager decides (placement, stacking): the test starts openbox on the
# display, so it runs alone; without openbox its tests are skipped
# (under CI they fail).
tarvane_add_test(test_window_manager LABEL gui
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_manager_test.cpp ${CMAKE_SOURCE_DIR}/ui/tarvane_main.cpp
  LIBS tarvane_ui tarvane_test_support tarvane_window_manager_test_support ttl_gui_test_main)
target_compile_definitions(test_window_manager PRIVATE
  TARVANE_ENTRY_POINT_UNDER_TEST TARVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  TARVANE_PROGRAM_DIR="${TARVANE_BIN_DIR}")
set_tests_properties(test_window_manager PROPERTIES RUN_SERIAL TRUE)

# The built program started as its own process under openbox, as a player starts it: alone too.
tarvane_add_test(test_started_program LABEL gui
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/started_program_test.cpp
  LIBS tarvane_model tarvane_window_manager_test_support)
target_compile_definitions(test_started_program PRIVATE TARVANE_PROGRAM_DIR="${TARVANE_BIN_DIR}")
add_dependencies(test_started_program tarvane tarvane_data)
set_tests_properties(test_started_program PROPERTIES RUN_SERIAL TRUE)

# Not a test: times the window with hundreds of deck columns and saves pictures of it (see the
# file's head). Built with the tests, run by hand under Xvfb.
add_executable(wide_table_timings ${CMAKE_CURRENT_LIST_DIR}/wide_table_timings.cpp)
set_target_properties(wide_table_timings PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
target_include_directories(wide_table_timings PRIVATE ${TARVANE_TEST_INCLUDE_DIR})
target_link_libraries(wide_table_timings PRIVATE tarvane_ui ttl_testing)
target_compile_definitions(wide_table_timings PRIVATE TARVANE_PROGRAM_DIR="${TARVANE_BIN_DIR}")
add_dependencies(wide_table_timings tarvane_data)
# The header test reads the real pointer's position and the form tests move it: never at once.
# It holds the Escape key down on the shared display for a moment, which a window of a test
# running beside it would receive: it runs alone.
set_tests_properties(test_main_window PROPERTIES RESOURCE_LOCK x11_pointer RUN_SERIAL TRUE)
