# A Debian package of the installed files; its dependencies are read off the shared libraries
# the executable links (dpkg-shlibdeps), not written by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the data image of a satellite-finder meter")
set(CPACK_PACKAGE_CONTACT "The orvex developers <orvex@localhost>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_STRIP_FILES ON)
include(CPack)
