# app/: the application's exceptions, error log, program folder, settings and window placement.
# With model/ it forms the data side (tarvane_model): no script engine, no windows.
list(APPEND TARVANE_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/exception.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_placement.cpp
)
