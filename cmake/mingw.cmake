# The Windows program, cross-compiled with mingw-w64 for the processor that the including
# toolchain file names, statically linked so that it imports only system DLLs. The win32 thread
# model links no POSIX threads runtime, whose imports (GetTickCount64) Windows XP lacks.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-win32)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-win32)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE2 doubles, as on every other target, rather than the x87 unit's wider registers.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -ffunction-sections -fdata-sections")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
# Statically linked, with ASLR and DEP; the oldest Windows that runs the program (the including
# file's windows_floor), as the PE header states it. Link options rather than the initial linker
# flags, which seed a build tree's cache at its first configure only: a change here reaches an
# existing build tree.
list(GET windows_floor 0 major)
list(GET windows_floor 1 minor)
add_link_options(-static -static-libgcc -static-libstdc++ -s
                 LINKER:--dynamicbase,--nxcompat,--gc-sections
                 LINKER:--major-os-version,${major},--minor-os-version,${minor}
                 LINKER:--major-subsystem-version,${major},--minor-subsystem-version,${minor})
