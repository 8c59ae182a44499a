if(TARGET tarvane_dict_core)
  tarvane_add_test(test_tools_dict LABEL unit
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/dictionary_text_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/json_element_splitter_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/dictionary_builder_test.cpp
    LIBS tarvane_dict_core)
endif()
