# Read by cpack for each generator: the setup program is named apart from the program it installs.
if(CPACK_GENERATOR STREQUAL "NSIS")
  string(APPEND CPACK_PACKAGE_FILE_NAME -setup)
endif()
