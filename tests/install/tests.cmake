# The installed program: cmake --install under a scratch prefix, the desktop files validated and
# the installed programs run with an empty home folder. Needs the desktop and AppStream
# validators (scripts/install-deps.sh installs them) and the whole build.
add_test(NAME install_check
  COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/check_install.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(install_check PROPERTIES LABELS install TIMEOUT 300)
