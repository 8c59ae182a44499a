tarvane_add_test(test_squirrel_vm LABEL script
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_exception_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_error_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_stack_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_object_test.cpp
  LIBS tarvane_squirrel Squirrel::Squirrel)
