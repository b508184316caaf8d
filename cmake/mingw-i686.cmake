# The 32-bit Windows program.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(mingw_triplet i686-w64-mingw32)
set(windows_floor 5 1)  # Windows XP
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
