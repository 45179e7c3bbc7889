# Cross-compiles the Windows build for i686 with Debian's mingw-w64 compilers
# (package g++-mingw-w64-i686-win32). The win32 thread model needs no libwinpthread DLL, so
# with static libgcc and libstdc++ the program needs nothing beside Windows' own DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TESSARY_MINGW_TRIPLET i686-w64-mingw32)

set(CMAKE_C_COMPILER ${TESSARY_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TESSARY_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${TESSARY_MINGW_TRIPLET}-windres)

# Headers and import libraries come from the mingw-w64 tree only, never from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TESSARY_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Floats computed as on x86_64 and on Linux: SSE2 keeps a float a float, where the x87 unit would
# carry intermediates at 80 bits and turn the model slightly differently. Every processor that runs
# a current Windows has SSE2; with it GCC also realigns the stack in callbacks Windows calls.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
