# script/: the application's script host over the data side: start-up, object model, the
# scripts' hooks, and loading a deck into the scripts' objects.
list(APPEND TARVANE_SCRIPT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/live_object_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/load_deck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/squirrel_vm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/squirrel_vm_classes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/squirrel_vm_hooks.cpp
)
