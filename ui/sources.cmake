# ui/: the code that makes windows: the dialogs, the program icon and the main window.
# The dialogs and the program icon.
list(APPEND TARVANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/open_list_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/select_list_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_entry_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_property_sheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/version_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import_report_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/deck_name_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_chooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archetype_list_dialog.cpp
)
# The main window: its list, menus, toolbar, commands and the row drag.
list(APPEND TARVANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_toolbar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_archetypes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_import.cpp
)
