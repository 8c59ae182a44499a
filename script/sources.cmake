# Sources of script/ that run without a window go to TARVANE_CORE_SOURCES; windows to TARVANE_UI_SOURCES.
# The script host layer over the engine: the only code that includes the engine's headers.
list(APPEND TARVANE_CORE_SOURCES
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
# The application's script host: data-side start-up, object model and the scripts' hooks.
list(APPEND TARVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/live_object_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/squirrel_vm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/squirrel_vm_classes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/squirrel_vm_hooks.cpp
)
