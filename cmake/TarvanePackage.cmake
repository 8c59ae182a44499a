# cpack -G DEB: a Debian package of what cmake --install puts under /usr. Its dependencies are
# worked out by dpkg-shlibdeps from the libraries the programs link, so they name the packages of
# the system the package is built on.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Tarvane developers <tarvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "show many deck lists of a card game as one table")
set(CPACK_PACKAGE_DESCRIPTION
  "Tarvane reads the deck lists of a collectible card game, one file per deck or\n\
whole event files, and shows them side by side as one table: a row for each\n\
card, a column for each deck, with totals, averages and archetypes. Scripts\n\
change what the table counts and how it sorts. The package also holds\n\
tarvane-cli, the same table without a window, and tarvane-dict, which turns\n\
public card data into the program's card dictionary.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window program needs a font with Japanese glyphs for its texts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-ipafont-gothic, xdg-utils")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/" "/\\\\.git/")
include(CPack)
