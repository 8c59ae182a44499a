# Parts of the window toolkit that need no window and no widget set: the list view's store and
# the menu model. The table logic, the headless tool and the script side use them through
# ttl_core.
target_sources(ttl_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/tt_list_view_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tt_menu.cpp
)
