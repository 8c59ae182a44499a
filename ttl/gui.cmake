# ttl_gui: the window toolkit over wxWidgets. The tt_wx_*.cpp files and tt_testing.cpp are the
# backend, the only sources that include the widget set; the other files hold the window
# classes and their dispatch rules.
add_library(ttl_gui STATIC
  tt_window.cpp
  tt_form.cpp
  tt_dialog.cpp
  tt_property_sheet.cpp
  tt_file_dialog.cpp
  tt_tool_bar.cpp
  tt_wx_window.cpp
  tt_wx_controls.cpp
  tt_wx_list_view.cpp
  tt_wx_tool_bar.cpp
  tt_wx_menu.cpp
  tt_wx_dialogs.cpp
  tt_wx_graphics.cpp
  tt_wx_clipboard.cpp
  tt_testing.cpp
)
target_link_libraries(ttl_gui PUBLIC ttl_core ${wxWidgets_LIBRARIES})
# The equivalent of include(${wxWidgets_USE_FILE}), kept to this target.
target_include_directories(ttl_gui SYSTEM PRIVATE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(ttl_gui PRIVATE ${wxWidgets_DEFINITIONS})
target_compile_options(ttl_gui PRIVATE ${wxWidgets_CXX_FLAGS})
