# chart/: charts as pictures: the table's chart drawn on the toolkit's pictures, written as PNG or
# SVG files or put on the clipboard. Both the window and tarvane-cli use it, with no display
# needed for the files.
list(APPEND TARVANE_CHART_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/chart_files.cpp
)
