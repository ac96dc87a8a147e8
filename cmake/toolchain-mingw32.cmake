# Cross build for 32-bit Windows with Debian's MinGW-w64 compilers (the
# posix-threads variant, which std::thread and std::mutex need), run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(LYRICAST_MINGW_TARGET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${LYRICAST_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LYRICAST_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${LYRICAST_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LYRICAST_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime (libgcc, libstdc++, winpthread) goes into every
# .exe, so a program needs nothing beside it but the system's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest and GoogleTest's discovery run the programs through Wine, in a prefix
# of the build's own so that nothing touches the user's ~/.wine, and in the
# Western code page (1252), which Wine takes from the locale C.UTF-8.
set(LYRICAST_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix the tests run in")
set(CMAKE_CROSSCOMPILING_EMULATOR
    env "WINEPREFIX=${LYRICAST_WINEPREFIX}" WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml="
    LC_ALL=C.UTF-8 wine)

# Wine shows the build machine's root folder as drive Z:, so a host path
# becomes a Windows path by putting Z: in front of it.
set(LYRICAST_HOST_ROOT_DRIVE "Z:")
