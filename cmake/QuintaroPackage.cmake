# The Debian package: `cpack -G DEB` in a build folder makes
# quintaro_<version>_<arch>.deb from everything `cmake --install` puts in
# place, with its run-time dependencies worked out by dpkg-shlibdeps.

set(CPACK_PACKAGE_NAME quintaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quintaro")
set(CPACK_PACKAGE_CONTACT "Quintaro developers <quintaro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Copies a file or a folder quickly; owner-drawn button library")
set(CPACK_PACKAGE_DESCRIPTION
  "Quintaro copies one chosen file or folder into a chosen destination folder and comes with a month "
  "calendar, a countdown timer, a birthday weekday and zodiac lookup and an uptime report. It also "
  "installs its owner-drawn push button, vbButton, as a shared library with headers, a CMake package "
  "and a Qt Designer plugin.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# As a distribution ships them: without debugging information.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# The Designer plugin needs the package's own library, which is not installed yet.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${PROJECT_BINARY_DIR}/controls/vbButton/library")
include(CPack)
