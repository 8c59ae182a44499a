# Sources of ui/ that run without a window go to TARVANE_CORE_SOURCES; windows to TARVANE_UI_SOURCES.
# The analysis table, sorting, export and the script menus work on the list store and the menu
# model alone, so the headless tool, the tests and the benchmarks use them without a window.
list(APPEND TARVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/analysis_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_columns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_decks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_sorting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cell_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_bar_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/script_item_menu.cpp
)
# The dialogs and the program icon.
list(APPEND TARVANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/open_list_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/select_list_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_entry_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_property_sheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/version_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import_report_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/deck_name_dialog.cpp
)
# The main window: its list, menus, toolbar, commands and the row drag.
list(APPEND TARVANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_toolbar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_import.cpp
)
