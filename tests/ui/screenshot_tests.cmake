# Not a test: `screenshots` retakes the pictures of docs/screenshots from the program itself, so
# the README and the guides show the program as it is. Run it on a display, for example
#   xvfb-run -a -s "-screen 0 1280x1024x24" cmake --build build --target screenshots
# Each picture comes from one test run on its own, since a test that saves two pictures gets the
# later one stale.
set(shots ${CMAKE_SOURCE_DIR}/docs/screenshots)
set(TARVANE_SHOT_COMMANDS
  COMMAND ${CMAKE_COMMAND} -E env TARVANE_SCREENSHOT=${shots}/main-window.png
          $<TARGET_FILE:test_main_window> --gtest_filter=*TheShippedProgramFolderShowsEverySampleDeck*
  COMMAND ${CMAKE_COMMAND} -E env TARVANE_VIEWS_SCREENSHOT=${shots}/archetype-columns-shaded.png
          $<TARGET_FILE:test_main_window> --gtest_filter=*ArchetypeColumnsShaded
  COMMAND ${CMAKE_COMMAND} -E env TARVANE_ARCHETYPES_SCREENSHOT=${shots}/event-by-archetype.png
          $<TARGET_FILE:test_main_window> --gtest_filter=*AnEventByArchetypeWithTheShippedScript
  COMMAND ${CMAKE_COMMAND} -E env TARVANE_SCREENSHOT_DIR=${shots}
          $<TARGET_FILE:test_chart_window> --gtest_filter=*OpensWithTheSelectedCardAndShowsEachChart
  COMMAND ${CMAKE_COMMAND} -E env TARVANE_SCREENSHOT=${shots}/toolkit-example.png
          $<TARGET_FILE:test_ttl_example_window>
  COMMAND ${CMAKE_COMMAND} -E env TARVANE_SCREENSHOT_DIR=${shots}
          $<TARGET_FILE:test_started_program>)
foreach(test Find Filter Dialog ColumnJump DeckSet)
  list(APPEND TARVANE_SHOT_COMMANDS COMMAND ${CMAKE_COMMAND} -E env TARVANE_SCREENSHOT_DIR=${shots}
       $<TARGET_FILE:test_main_window> --gtest_filter=TableTools*.${test}*)
endforeach()
foreach(test AddingManyDecksShowsHowFarItGot ColumnsOfEveryKindCanBeAddedWithShadingOn)
  list(APPEND TARVANE_SHOT_COMMANDS COMMAND ${CMAKE_COMMAND} -E env TARVANE_SCREENSHOT_DIR=${shots}
       $<TARGET_FILE:test_main_window> --gtest_filter=*${test}*)
endforeach()
add_custom_target(screenshots ${TARVANE_SHOT_COMMANDS}
  DEPENDS test_main_window test_chart_window test_ttl_example_window test_started_program
  VERBATIM)
add_dependencies(screenshots dialog_screenshots)
