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
    ${CMAKE_CURRENT_LIST_DIR}/tt_desktop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_language_test.cpp
  LIBS ttl_core)
# The list view's store and the menu model, which need no widget set.
tarvane_add_test(test_ttl_store LABEL unit
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tt_list_view_store_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tt_menu_test.cpp
  LIBS ttl_core)
