set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${PRELVANE_PUBLISHER}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/CPackSourceDate.cmake)

# The Windows downloads, named for their processor: a zip of the program and its licence, and a
# setup program of the same files in Chinese (app/win32/NSIS.template.in), "-setup.exe". The
# 64-bit setup program is itself a 64-bit program, so that it runs wherever the program does.
if(WIN32)
  set(CPACK_GENERATOR ZIP NSIS)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_PACKAGE_FILE_NAME quorvel-${PROJECT_VERSION}-win32)
    set(CPACK_PRELVANE_SETUP_TARGET "")
    set(CPACK_PRELVANE_SETUP_PROGRAM_FILES "$PROGRAMFILES")
  else()
    set(CPACK_PACKAGE_FILE_NAME quorvel-${PROJECT_VERSION}-win64)
    set(CPACK_PRELVANE_SETUP_TARGET "Target amd64-unicode")
    set(CPACK_PRELVANE_SETUP_PROGRAM_FILES "$PROGRAMFILES64")
  endif()
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/CPackSetupName.cmake)
  set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/app/win32)
  set(CPACK_PRELVANE_SETUP_NAME ${PROJECT_NAME})
  set(CPACK_PRELVANE_SETUP_PROGRAM quorvel.exe)
  set(CPACK_PRELVANE_SETUP_ICON ${PROJECT_SOURCE_DIR}/app/icons/quorvel.ico)
  set(CPACK_PRELVANE_SETUP_DESCRIPTION "把想要的分区大小 (GB) 换算成分区工具里应输入的整数 MB")
  include(CPack)
  return()
endif()

# Two Debian packages: quorvel, the program for the desktop, which shows the calculator in a
# terminal too where there is no desktop; and quorvel-console, the terminal's program alone, for a
# server or a rescue system without a desktop. Their library dependencies come from the shared
# libraries each links (dpkg-shlibdeps); the Song face the windows ask for, and Qt's translations
# of its own texts, are named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL console)
if(qt IN_LIST PRELVANE_ENGINES)
  list(APPEND CPACK_COMPONENTS_ALL quorvel)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Prelvane developers <maintainers@prelvane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://prelvane.example/")
set(CPACK_DEBIAN_PACKAGE_SOURCE quorvel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_QUORVEL_PACKAGE_NAME quorvel)
set(about
  "Prelvane turns the size a partition should have, in GB, into the whole number
of MB to type into a partitioning tool, by the old rule or by the new one that
rounds up to whole disk cylinders. Simplified Chinese user interface.")
# Each under the project's description as its summary.
set(CPACK_DEBIAN_QUORVEL_DESCRIPTION "${about}")
set(CPACK_DEBIAN_QUORVEL_PACKAGE_DEPENDS "fonts-arphic-uming, qt6-translations-l10n")
# Native windows on a Wayland desktop rather than through XWayland.
set(CPACK_DEBIAN_QUORVEL_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_CONSOLE_PACKAGE_NAME quorvel-console)
set(CPACK_DEBIAN_CONSOLE_DESCRIPTION "${about}

This package shows the calculator in a text terminal, over SSH or on a rescue
system, and needs no desktop.")
set(CPACK_STRIP_FILES ON)
include(CPack)
