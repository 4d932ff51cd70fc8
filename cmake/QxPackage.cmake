# The Debian package of the configurator: the plug-in, qxhost, qxcommd, the
# data folder and the manual pages. `./qx package` builds it into build/.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME km31qx2c-configurator)
set(CPACK_PACKAGE_VENDOR "Orvane Industrial Automation")
set(CPACK_PACKAGE_CONTACT "KM31QX-2C configurator team <configurator@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator plug-in of the KM31QX-2C Ethernet communication module")
set(CPACK_PACKAGE_DESCRIPTION "The plug-in library libqx31.so that a hardware-configuration tool loads
to edit, upload and download the configuration of KM31QX-2C modules, with
the host stand-in qxhost and the communication-manager simulator qxcommd.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The Qt and C++ runtime dependencies, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Qt's own texts (OK, Cancel, file dialogs) in the Chinese languages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")
include(CPack)
