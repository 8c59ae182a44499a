tarvane_add_test(test_model LABEL unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/line_reader_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/card_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/card_database_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/deck_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/deck_list_import_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/deck_list_file_import_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/deck_list_shape_reader_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/event_file_import_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_language_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cp932_transliterator_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lenient_json_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/archetype_classifier_test.cpp
  LIBS tarvane_model)
