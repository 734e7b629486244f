# Installs the program with its desktop entry, icons and AppStream metainfo in their standard
# places, and describes the Debian package that CPack builds from them.
include(GNUInstallDirs)

set(APPORTION_APP_ID net.divisormethods.Mandati)

install(TARGETS apportion RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/${APPORTION_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The lesson files' type; the shared MIME database takes it in by its own trigger.
install(FILES ${PROJECT_SOURCE_DIR}/data/${APPORTION_APP_ID}.mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${APPORTION_APP_ID}.xml)
# The example lessons, where the program looks for them: ../share/mandati/examples from itself.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/lesson/examples/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mandati/examples FILES_MATCHING PATTERN "*.mandati")
install(FILES ${PROJECT_SOURCE_DIR}/data/${APPORTION_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/apportion-32.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
    RENAME ${APPORTION_APP_ID}.png)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/apportion.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${APPORTION_APP_ID}.svg)

# The licence, in the Debian package's own form and place.
install(FILES ${PROJECT_SOURCE_DIR}/data/debian-copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mandati RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mandati)
set(CPACK_PACKAGE_VENDOR "Mandati developers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CONTACT "Mandati developers <mandati@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "divisor methods of seat apportionment, one seat at a time")
set(CPACK_PACKAGE_DESCRIPTION "A one-window teaching tool that shows how the highest-averages \
methods (D'Hondt, Sainte-Lague, Danish, Imperiali and equal proportions) give out the seats of a \
constituency among five parties, one seat per click, with every party's quotient after every \
seat kept in view.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries come from dpkg-shlibdeps; the X11 platform plugin and the metric twin of
# Times New Roman, which the layout is drawn for, are not linked and are named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# Qt's own texts (the text boxes' context menus) in Bulgarian, like the rest of the window.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
