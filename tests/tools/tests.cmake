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

# The toolbar pictures are tracked as the bitmap their generator writes.
if(Python3_Interpreter_FOUND)
  add_test(NAME check_toolbar_bitmap
    COMMAND ${CMAKE_COMMAND} -DPYTHON=${Python3_EXECUTABLE}
            -DGENERATOR=${CMAKE_SOURCE_DIR}/tools/make_toolbar_bitmap.py
            -DTRACKED=${CMAKE_SOURCE_DIR}/data/tarvane.bmp
            -DOUTPUT=${CMAKE_CURRENT_BINARY_DIR}/generated/tarvane.bmp
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckGenerated.cmake)
  set_tests_properties(check_toolbar_bitmap PROPERTIES LABELS unit)
endif()
