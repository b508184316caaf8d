# Debian ships GoogleTest both built (libgtest-dev) and as sources (googletest); a cross build
# compiles the sources with its own compiler (they define the GTest:: targets too).
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # WebAssembly runs the tests on one thread.
  set(gtest_disable_pthreads ${EMSCRIPTEN} CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
