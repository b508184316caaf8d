# A Debian package of the program: its library dependencies come from the shared libraries it
# links (dpkg-shlibdeps); the Song face the windows ask for is named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Prelvane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Partition size calculator: GB to the whole MB to enter")
set(CPACK_PACKAGE_DESCRIPTION
  "Prelvane turns the size a partition should have, in GB, into the whole number of MB to type
into a partitioning tool, by the old rule or by the new one that rounds up to whole disk
cylinders. Simplified Chinese user interface.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Prelvane developers <maintainers@prelvane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://prelvane.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming")
set(CPACK_STRIP_FILES ON)
include(CPack)
