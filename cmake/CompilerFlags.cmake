# Same doubles on every target: no contraction into fused multiply-adds, no fast-math.
add_compile_options(-Wall -Wextra -Wpedantic -ffp-contract=off)

# A hardened program on Linux: position-independent, full RELRO, stack protector, fortified
# library calls where the optimiser can see sizes, and the standard library's bounds checks (an
# index past a std::array stops the program rather than writing beyond it).
if(NOT WIN32 AND NOT EMSCRIPTEN)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong
                      $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>
                      $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(-Wl,-z,relro,-z,now)
endif()

# mingw-w64's own printf and strtod, which round exactly, rather than msvcrt's: the rules' number
# conversions and the tests' reference both.
if(WIN32)
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)
endif()

# WebAssembly: C++ exceptions carry the rules' errors, as everywhere else.
if(EMSCRIPTEN)
  add_compile_options(-fexceptions)
  add_link_options(-fexceptions)
endif()

# The same bytes from the same sources wherever they are built and whenever: no source or build
# folder in any file (debug information, assertions' file names), and on Windows no link time in
# the executable's header.
# (The last map that matches is used: the build folder may lie in the sources.)
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
if(WIN32)
  add_link_options(LINKER:--no-insert-timestamp)
endif()
