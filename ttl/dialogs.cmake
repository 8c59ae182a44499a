# The toolkit utility that the version dialog needs: the build date as the program shows it.
target_sources(ttl_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/tt_build_date.cpp
)
