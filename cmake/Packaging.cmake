# `cpack -G DEB` in a build folder: one Debian package with both programs, the
# desktop entry, the icon, the background picture and the AppStream metainfo.
# dpkg-shlibdeps works out the library packages the programs need.
set(CPACK_PACKAGE_NAME skarnwald)
set(CPACK_PACKAGE_VENDOR "Skarnwald")
set(CPACK_PACKAGE_CONTACT "Skarnwald maintainers <maintainers@skarnwald.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turns battle reports into coloured HTML pages")
set(CPACK_PACKAGE_DESCRIPTION
    "Skarnwald turns the plain-text battle reports of an online space strategy game into\n"
    "coloured HTML pages with per-fleet and per-side summaries. It keeps a local\n"
    "database of converted battles and offers attack planning dialogs. The desktop\n"
    "program (skarnwald) and the command line (skarnwald-cli) speak German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The command line draws picture cards in this font (the desktop carries it inside).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
# The standard dialogs' German texts come from this package at run time.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
