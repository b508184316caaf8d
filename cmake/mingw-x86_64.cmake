# The 64-bit Windows program, for systems that run no 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(mingw_triplet x86_64-w64-mingw32)
set(windows_floor 5 2)  # Windows XP x64 and Server 2003 x64
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
