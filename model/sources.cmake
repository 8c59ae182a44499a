# model/: cards, the card database and its dictionary file, decks and their boards, and the rows
# of the analysis table with their typed values. With app/ it forms the data side (tarvane_model).
list(APPEND TARVANE_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/line_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_type.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_database.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dictionary_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dictionary_index.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dictionary_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board_type.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board.cpp
  ${CMAKE_CURRENT_LIST_DIR}/deck_list_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cp932_transliterator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_encoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/deck_list_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/deck.cpp
)
# Import of deck lists in other programs' formats.
list(APPEND TARVANE_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/import/card_name_resolver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/deck_list_text_parser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/xml_scan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/input_look.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/file_error_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/text_shape_readers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/dek_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/event_file_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/xml_deck_readers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/deck_list_shape_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/deck_list_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/import/deck_list_file_import.cpp
)
# Archetype rules as the community publishes them, and the classifier that applies them.
list(APPEND TARVANE_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/archetype/lenient_json.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archetype/archetype_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archetype/archetype_classifier.cpp
)
# Rows of the analysis table and their typed values.
list(APPEND TARVANE_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cell_value.cpp
)
