# Sources of app/ that run without a window go to TARVANE_CORE_SOURCES; windows to TARVANE_UI_SOURCES.
list(APPEND TARVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/exception.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/common.cpp
)
