# ttl_gui: the window toolkit over wxWidgets. The wx/ folder is the backend, the only sources
# that include the widget set (tt_wx_testing.cpp is the backend of ttl/tt_testing.h); the files
# here hold the window classes and their dispatch rules. It exposes all of ttl/.
add_library(ttl_gui STATIC
  tt_window.cpp
  tt_form.cpp
  tt_dialog.cpp
  tt_property_sheet.cpp
  tt_file_dialog.cpp
  tt_tool_bar.cpp
  wx/tt_wx_window.cpp
  wx/tt_wx_controls.cpp
  wx/tt_wx_list_view.cpp
  wx/tt_wx_list_view_keys.cpp
  wx/tt_wx_edit_caret.cpp
  wx/tt_wx_tool_bar.cpp
  wx/tt_wx_menu.cpp
  wx/tt_wx_dialogs.cpp
  wx/tt_wx_graphics.cpp
  wx/tt_wx_clipboard.cpp
  wx/tt_wx_testing.cpp
  wx/tt_wx_testing_keys.cpp
)
tarvane_expose_headers(ttl_gui ttl)
# X11 only for the tests' look at the window manager's stacking order.
target_link_libraries(ttl_gui PUBLIC ttl_core PRIVATE ${wxWidgets_LIBRARIES} X11)
# The equivalent of include(${wxWidgets_USE_FILE}), kept to this target.
target_include_directories(ttl_gui SYSTEM PRIVATE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(ttl_gui PRIVATE ${wxWidgets_DEFINITIONS})
target_compile_options(ttl_gui PRIVATE ${wxWidgets_CXX_FLAGS})
