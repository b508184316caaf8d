# The page: Debian's Emscripten toolchain, with the tests run under Node as Node 20 needs it
# (Emscripten's own choice of flags adds one that Node 20 rejects, and its loader's fetch fails).
find_program(NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${NODE};--no-experimental-fetch" CACHE STRING "")
find_file(EMSCRIPTEN_TOOLCHAIN Emscripten.cmake
  PATHS /usr/share/emscripten/cmake/Modules/Platform /usr/lib/emscripten/cmake/Modules/Platform
  NO_DEFAULT_PATH REQUIRED)
include(${EMSCRIPTEN_TOOLCHAIN})
