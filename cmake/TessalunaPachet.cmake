# The Debian package: the program in /usr/bin, its blank template in /usr/share/tessaluna (found there as
# ../share/tessaluna beside the executable), a menu entry, icons, AppStream data, a manual page, the
# copyright and the changelog. `cpack` in the build folder makes tessaluna_<version>_amd64.deb.
include(GNUInstallDirs)
install(TARGETS tessaluna RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/BLANK.FDB DESTINATION ${CMAKE_INSTALL_DATADIR}/tessaluna)
install(FILES ${PROJECT_SOURCE_DIR}/resources/tessaluna.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/tessaluna.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(n IN LISTS TESSALUNA_ICON_SIZES)
  install(FILES ${CMAKE_BINARY_DIR}/app/icoane/${n}x${n}/tessaluna.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${n}x${n}/apps)
endforeach()

# Texts that carry the version, compressed as Debian wants them (gzip -9n: no name, no time stamp).
set(doc ${CMAKE_BINARY_DIR}/doc)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in ${doc}/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/tessaluna.1 ${doc}/tessaluna.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/tessaluna.metainfo.xml ${doc}/org.tessaluna.tessaluna.metainfo.xml
               @ONLY)
foreach(f changelog tessaluna.1)
  add_custom_command(OUTPUT ${doc}/${f}.gz COMMAND gzip -9n -c ${doc}/${f} > ${doc}/${f}.gz
                     DEPENDS ${doc}/${f} VERBATIM)
endforeach()
add_custom_target(documentatie ALL DEPENDS ${doc}/changelog.gz ${doc}/tessaluna.1.gz)
install(FILES ${doc}/changelog.gz ${PROJECT_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaluna)
install(FILES ${doc}/tessaluna.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${doc}/org.tessaluna.tessaluna.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaluna)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Echipa Tessaluna <echipa@tessaluna.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "school secretariat: register of students and their certificates")
set(CPACK_PACKAGE_DESCRIPTION
    "Keeps the register of the students who receive the national school\n"
    "certificate, with the school's own data, in a Firebird database of each\n"
    "user, and prints each certificate onto the pre-printed blank form.\n"
    "Students are typed in or imported from spreadsheets through LibreOffice\n"
    "Calc. The user interface is in Romanian.")
# One text: a list would reach the control file with its ';' separators.
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The linked libraries come from dpkg-shlibdeps; the embedded engine is a plugin the client library loads
# at run time, so no linker sees it. The certificate's texts are set in Arial: Liberation Sans has its widths.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# QtKeychain reaches the desktop's secret store through libsecret, which it loads at run time. Qt's PDF module
# draws a scanned blank given as a PDF.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "firebird3.0-server-core, fonts-liberation, libqt6keychain1, libsecret-1-0, libxlsxwriter4, libqt6pdf6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libreoffice-calc-nogui | libreoffice-calc, python3-uno, gnome-keyring | kwalletmanager")
include(CPack)
