# table/: the analysis table without a window. Sorting, export and the script menus work on the
# list store and the menu model alone, so the headless tool, the tests and the benchmarks use
# them as the main window does.
list(APPEND TARVANE_TABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/analysis_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_table_columns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_table_decks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_table_archetypes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_table_sorting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/average_deck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_numbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_request.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cell_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cell_shading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_bar_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/script_item_menu.cpp
)
