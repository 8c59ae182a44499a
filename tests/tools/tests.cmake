if(TARGET tarvane_dict_core)
  tarvane_add_test(test_tools_dict LABEL unit
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/json_element_splitter_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/dictionary_builder_test.cpp
    LIBS tarvane_dict_core)
  # The dictionaries read back by the program's loader, and the sample data that ships.
  if(TARGET tarvane_model)
    tarvane_add_test(test_tools_dict_load_back LABEL unit
      SOURCES ${CMAKE_CURRENT_LIST_DIR}/dictionary_load_back_test.cpp
      LIBS tarvane_dict_core tarvane_model)
  endif()
endif()
