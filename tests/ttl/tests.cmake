tarvane_add_test(test_ttl_core LABEL unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tt_exception_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_string_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_utility_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_path_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_directory_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_ini_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_build_date_test.cpp
  LIBS ttl_core)
