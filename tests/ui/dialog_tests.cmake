# The dialogs, with real widgets under Xvfb (label gui). With TARVANE_SCREENSHOT_DIR set, the
# window tests also save a picture of each dialog there (dialog-<name>.png).
tarvane_add_test(test_dialogs LABEL gui
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/open_list_dialog_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/select_list_dialog_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/special_entry_dialog_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/preview_dialog_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_property_sheet_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/version_dialog_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/import_dialogs_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/archetype_list_dialog_test.cpp
  LIBS tarvane_ui ttl_gui_test_main)

# The pictures of the dialogs in docs/screenshots, one test process per picture: the screen is
# captured reliably only once per process. Needs a display:
#   xvfb-run -a -s "-screen 0 1280x1024x24" cmake --build build --target dialog_screenshots
set(TARVANE_DIALOG_SHOT_TESTS
  OpenListDialogTest.EditingStartsWithTheDecksAndOkReturnsTheListWithAFileAddedTwice
  SelectListDialogTest.TheFirstAndThirdDeckComeBackInThatOrderAndSelectAllGivesEvery
  SpecialEntryDialogTest.RowsShowTicksNamesAndBoardsAndOkWritesTheTicks
  PreviewDialogTest.ItStaysHiddenUntilACardIsShownAndThenShowsItsTexts
  SettingsPropertySheetTest.UntickingTheScriptDisablesThePathButKeepsAndSavesIt
  VersionDialogTest.ItShowsNameVersionAndBuildAndTheButtonOrTheCloseBoxEndItWithZero
  ImportReportDialogTest.TheReportIsOneLinePerRowAndAddIsOfferedOnlyForWrittenLists
  DeckNameDialogTest.OkTakesTheTrimmedNameAndAnEmptyNameKeepsTheDialogOpen
  ArchetypeListDialogTest.RowsInLoadOrderThenByTheClickedColumnEitherWay)
set(TARVANE_DIALOG_SHOT_COMMANDS)
foreach(test ${TARVANE_DIALOG_SHOT_TESTS})
  list(APPEND TARVANE_DIALOG_SHOT_COMMANDS
    COMMAND ${CMAKE_COMMAND} -E env TARVANE_SCREENSHOT_DIR=${CMAKE_SOURCE_DIR}/docs/screenshots
            $<TARGET_FILE:test_dialogs> --gtest_filter=${test})
endforeach()
add_custom_target(dialog_screenshots
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_SOURCE_DIR}/docs/screenshots
  ${TARVANE_DIALOG_SHOT_COMMANDS}
  DEPENDS test_dialogs
  VERBATIM)

# The deck selection test clicks with the real pointer, as the form tests do: never both at once.
set_tests_properties(test_dialogs PROPERTIES RESOURCE_LOCK x11_pointer)
