# squirrel/: the engine wrapper (tt_squirrel_*), whose script values the data side holds without
# seeing the engine. With script/, the only code that includes the engine's headers.
list(APPEND TARVANE_SQUIRREL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_object_type.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_exception.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_native_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_object.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_type_tag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_virtual_machine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_script_loading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_slot_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_native_closure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tt_squirrel_error_hooks.cpp
)
