# The Debian package (`make package`, or `cpack -G DEB` in the build folder). Library
# dependencies come from dpkg-shlibdeps, so they name the packages of the system it is built on.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME burner-catalogue)
set(CPACK_PACKAGE_VENDOR "The Burner Catalogue developers")
set(CPACK_PACKAGE_CONTACT "The Burner Catalogue developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "show attached disc recorders and supported drive models")
set(CPACK_PACKAGE_DESCRIPTION
  "Burner Catalogue lists the optical disc recorders attached to the computer and the drive models\n"
  "named in a device-support profile, shows a drive's information and live status, ejects the\n"
  "medium or closes the tray, saves and prints what it shows, and follows drives as they come and go.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY burner-catalogue)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, libqt6svg6, qt6-image-formats-plugins")
set(CPACK_STRIP_FILES ON)
# Only what the program installs: no test or benchmark executables.
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")
include(CPack)
