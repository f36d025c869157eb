# Where `cmake --install` and the package put things. The programs go into
# bin; the report module zirs-search loads is private and lives in a folder of
# its own, found at run time relative to the program (bin/../lib/zirs-tavelin),
# so an installed tree works wherever its prefix is.
include(GNUInstallDirs)
set(ZIRS_INSTALL_PRIVATEDIR "lib/zirs-tavelin")
set(ZIRS_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/zirs-tavelin")
set(ZIRS_INSTALL_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/zirs-tavelin")
file(RELATIVE_PATH ZIRS_PRIVATE_LIBDIR_FROM_BINDIR
  "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${ZIRS_INSTALL_PRIVATEDIR}")
