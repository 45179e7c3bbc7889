# Cross-compiles the Windows build for x86_64 with Debian's mingw-w64 compilers
# (package g++-mingw-w64-x86-64-win32). The win32 thread model needs no libwinpthread DLL, so
# with static libgcc and libstdc++ the program needs nothing beside Windows' own DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TESSARY_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TESSARY_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TESSARY_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${TESSARY_MINGW_TRIPLET}-windres)

# Headers and import libraries come from the mingw-w64 tree only, never from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TESSARY_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
