tarvane_add_test(test_app_core LABEL unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/exception_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/error_log_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_files_test.cpp
  LIBS tarvane_model)
