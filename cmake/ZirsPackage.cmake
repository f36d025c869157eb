# The Debian package zirs-tavelin, built by CPack from the install rules:
# `cpack -G DEB` in the build folder. Its Depends are computed from the
# binaries (dpkg-shlibdeps) plus what the program loads only at run time:
# the SQLite driver plugin, the fonts its windows and reports draw with and
# Qt's own Russian translations.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zirs-tavelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZIRS Tavelin developers")
set(CPACK_PACKAGE_CONTACT "ZIRS Tavelin developers <zirs-tavelin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "expert system for choosing a roof repair technology")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zirs-tavelin.example.org")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, fonts-liberation2, fonts-wine, qt6-translations-l10n")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "ZIRS Tavelin picks the most effective technology for repairing a
multi-layer rolled or mastic roof. The engineer describes one roof and the
work conditions; the program filters a catalogue of 21 repair technologies,
scores the admissible ones with fuzzy membership curves and the Laplace and
Wald criteria, ranks them and prints a two-page report. The interface is in
Russian.
.
zirs-search runs the same search from the command line, one roof or a
whole batch, and answers in JSON or CSV.")
# Directories 0755 and files as installed, whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What the install rules take from the build. Installing and packaging build
# just this, not every test and benchmark: scripts/package.sh builds it, then
# runs cpack.
add_custom_target(zirs-installable)
add_dependencies(zirs-installable zirs zirs-search zirs-report catalogue zirs-desktop-files)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
