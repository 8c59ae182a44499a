# tarvane_test_support: what the tests of several folders share: scratch folders, the scratch
# program folder and its test dictionary, the message recorder, script text run from a test.
# Header-only pieces (scratch_folder.h, catch_exception.h) need no library.
add_library(tarvane_test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/script_runner.cpp)
target_include_directories(tarvane_test_support PUBLIC ${TARVANE_TEST_INCLUDE_DIR})
target_link_libraries(tarvane_test_support PUBLIC tarvane_script GTest::gtest
  PRIVATE Squirrel::Squirrel)

# The window manager seen from outside the program (openbox started for a test, the windows it
# manages), through the X server.
add_library(tarvane_window_manager_test_support STATIC ${CMAKE_CURRENT_LIST_DIR}/window_manager.cpp)
target_include_directories(tarvane_window_manager_test_support PUBLIC ${TARVANE_TEST_INCLUDE_DIR})
target_link_libraries(tarvane_window_manager_test_support PRIVATE X11)
