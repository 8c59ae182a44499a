# The window toolkit: its dispatch rules (no display), and its real widgets under Xvfb (label gui).
tarvane_add_test(test_ttl_dispatch LABEL unit
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tt_window_dispatch_test.cpp
  LIBS ttl_gui)

# The main for window tests: brings the widget set up once and brings the test driver along.
# Window tests of other folders link it too (LIBS ... ttl_gui_test_main) and run under xvfb-run.
add_library(ttl_gui_test_main OBJECT ${CMAKE_CURRENT_LIST_DIR}/tt_gui_test_main.cpp)
target_link_libraries(ttl_gui_test_main PUBLIC ttl_gui ttl_testing GTest::gtest)

tarvane_add_test(test_ttl_gui LABEL gui
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tt_window_gui_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_form_gui_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_list_view_gui_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_common_dialogs_gui_test.cpp
  LIBS ttl_gui ttl_gui_test_main)

tarvane_add_test(test_ttl_example_window LABEL gui
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tt_example_window_test.cpp
  LIBS ttl_gui ttl_gui_test_main)

# Window test programs share one X server under the test command; those that use the clipboard
# take this lock so that two of them never write it at the same time.
# The form tests also move the real pointer, which the dialog tests use too.
set_tests_properties(test_ttl_gui PROPERTIES RESOURCE_LOCK "x11_clipboard;x11_pointer")
