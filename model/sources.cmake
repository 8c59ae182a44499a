# Sources of model/ that run without a window go to TARVANE_CORE_SOURCES; windows to TARVANE_UI_SOURCES.
list(APPEND TARVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/card_type.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_database.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dictionary_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dictionary_index.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dictionary_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board_type.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board.cpp
  ${CMAKE_CURRENT_LIST_DIR}/deck_list_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/deck.cpp
)
# Rows of the analysis table and their typed values.
list(APPEND TARVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cell_value.cpp
)
