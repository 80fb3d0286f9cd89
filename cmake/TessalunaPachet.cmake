# The Debian package: the program in /usr/bin, its blank template in /usr/share/tessaluna (found there as
# ../share/tessaluna beside the executable), a menu entry and an icon. `cpack` in the build folder makes
# tessaluna_<version>_amd64.deb.
include(GNUInstallDirs)
install(TARGETS tessaluna RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/BLANK.FDB DESTINATION ${CMAKE_INSTALL_DATADIR}/tessaluna)
install(FILES ${PROJECT_SOURCE_DIR}/resources/tessaluna.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/tessaluna.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaluna)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Tessaluna <tessaluna@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "School secretariat: register of students and printing of their certificates")
set(CPACK_PACKAGE_DESCRIPTION
    "Keeps the register of the students who receive the school certificate, with the school's own data, in a\n"
    "Firebird database of each user, and prints each certificate onto the pre-printed blank form.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The linked libraries come from dpkg-shlibdeps; the embedded engine is a plugin the client library loads
# at run time, so no linker sees it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# QtKeychain reaches the desktop's secret store through libsecret, which it loads at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "firebird3.0-server-core, libqt6keychain1, libsecret-1-0")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libreoffice-calc-nogui | libreoffice-calc, python3-uno, fonts-liberation, gnome-keyring | kwalletmanager")
include(CPack)
