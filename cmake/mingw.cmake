# The Windows program, cross-compiled with mingw-w64 for the processor that the including
# toolchain file names, statically linked so that it imports only system DLLs. The posix thread
# model gives GoogleTest its std::mutex.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE2 doubles, as on every other target, rather than the x87 unit's wider registers.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -ffunction-sections -fdata-sections")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
# ASLR and DEP.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--dynamicbase,--nxcompat,--gc-sections -s")
