# Where `cmake --install` puts the program, its tools and the installer library, and the Debian
# package that CPack makes of the same tree (cpack -G DEB in the build folder).
include(GNUInstallDirs)

install(TARGETS velkora1IB velkora1db sorvel1 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS Sorvel1 LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES packaging/velkora1IB.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/velkora1IB.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velkora1ib)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velkora1ib)
set(CPACK_PACKAGE_VENDOR Lumora)
set(CPACK_PACKAGE_CONTACT "Velkora1 maintainers <velkora1@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sales-contact manager on a Firebird database")
set(CPACK_PACKAGE_DESCRIPTION
    "velkora1IB keeps client companies with their contact persons, products and agents, records and plans \
contacts, makes offers to many clients and runs telephone surveys. It includes the database tool velkora1db \
and the installation helper library libSorvel1.so with its front end sorvel1.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the binaries link (Qt, libfbclient2, the C++ runtime) come from dpkg-shlibdeps; the
# embedded engine opens databases without a server as a plug-in of the client library, which no link
# shows.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "firebird3.0-server-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "firebird3.0-server, xdg-utils")
# Quick to build in every test run: stripped binaries, gzip rather than xz.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
include(CPack)
