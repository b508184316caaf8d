# Debian ships GoogleTest both built (libgtest-dev) and as sources (googletest); a cross build
# compiles the sources with its own compiler (they define the GTest:: targets too).
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  find_path(GOOGLETEST_SOURCES CMakeLists.txt PATHS /usr/src/googletest NO_DEFAULT_PATH
            NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # WebAssembly runs the tests on one thread.
  set(gtest_disable_pthreads ${EMSCRIPTEN} CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # Its customisation header for Windows, which GoogleTest includes with quotes: -iquote folders
  # are searched before its own.
  if(WIN32)
    target_compile_options(gtest PUBLIC -iquote ${PROJECT_SOURCE_DIR}/cmake/gtest)
  endif()
endif()
