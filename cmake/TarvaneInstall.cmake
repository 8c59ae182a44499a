# cmake --install: the programs into bin/, the files that ship beside the executable into
# share/tarvane/ (where an installed program looks for them), and what the desktop needs to offer
# the program in its menu: the desktop entry, the icons, the AppStream metadata and the manual
# pages. The Debian package (TarvanePackage.cmake) is made from the same rules.
include(GNUInstallDirs)

set(TARVANE_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/tarvane)
set(TARVANE_APP_ID io.github.tarvane.Tarvane)

# An installed program finds its shipped files from its own folder, whatever the prefix.
file(RELATIVE_PATH TARVANE_SHARE_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/tarvane)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/app/program_files.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS TARVANE_SHARE_FROM_BIN="${TARVANE_SHARE_FROM_BIN}")

install(TARGETS tarvane tarvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tarvane-dict)
  install(TARGETS tarvane-dict RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${TARVANE_BIN_DIR}/tarvane.nut ${CMAKE_SOURCE_DIR}/data/tarvane.bmp
  DESTINATION ${TARVANE_SHARE_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/dictionary ${CMAKE_SOURCE_DIR}/data/decks
  DESTINATION ${TARVANE_SHARE_DIR})
# The player's guide as the build rendered it, for ヘルプ → 使い方.
install(DIRECTORY ${TARVANE_BIN_DIR}/help DESTINATION ${TARVANE_SHARE_DIR})

install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/${TARVANE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The metadata, the manual pages and the changelog name the project's version.
set(TARVANE_INSTALL_FILES ${CMAKE_BINARY_DIR}/install)
configure_file(${CMAKE_SOURCE_DIR}/data/desktop/${TARVANE_APP_ID}.metainfo.xml.in
  ${TARVANE_INSTALL_FILES}/${TARVANE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${TARVANE_INSTALL_FILES}/${TARVANE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/icons/${size}/tarvane.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/tarvane.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages and the package's changelog are installed compressed, as Debian expects;
# -n keeps the time stamp out, so the same sources give the same files.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(TARVANE_COMPRESSED_DOCS)
function(tarvane_compress source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${GZIP_EXECUTABLE} -9nc ${source} > ${output}
    DEPENDS ${source})
  set(TARVANE_COMPRESSED_DOCS ${TARVANE_COMPRESSED_DOCS} ${output} PARENT_SCOPE)
endfunction()
foreach(program tarvane tarvane-cli tarvane-dict)
  configure_file(${CMAKE_SOURCE_DIR}/docs/man/${program}.1.in ${TARVANE_INSTALL_FILES}/${program}.1 @ONLY)
  tarvane_compress(${TARVANE_INSTALL_FILES}/${program}.1 ${TARVANE_INSTALL_FILES}/${program}.1.gz)
  install(FILES ${TARVANE_INSTALL_FILES}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/data/debian/changelog.in ${TARVANE_INSTALL_FILES}/changelog @ONLY)
tarvane_compress(${TARVANE_INSTALL_FILES}/changelog ${TARVANE_INSTALL_FILES}/changelog.gz)
add_custom_target(tarvane_docs ALL DEPENDS ${TARVANE_COMPRESSED_DOCS})
install(FILES ${TARVANE_INSTALL_FILES}/changelog.gz ${CMAKE_SOURCE_DIR}/data/debian/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvane)
