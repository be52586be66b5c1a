# Cross-builds the Windows programs on Debian with MinGW-w64 (posix threads,
# for std::thread) and runs what CTest starts under Wine. Everything is linked
# statically, so the .exe files need no DLL beside them.
include(${CMAKE_CURRENT_LIST_DIR}/WindowsTools.cmake)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER ${OVANTIS_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OVANTIS_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${OVANTIS_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${OVANTIS_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# Headless, in a prefix of the build's own (its first start takes a few
# seconds), without the .NET and HTML engines nothing here needs.
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all
    DISPLAY= WINEDLLOVERRIDES=mscoree,mshtml= ${OVANTIS_WINE})
# CLI11 is header-only: the host's copy is used without the rest of /usr/include.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw CACHE PATH "")
# GoogleTest is built from Debian's sources with this compiler.
set(OVANTIS_GTEST_SOURCE ${OVANTIS_MINGW_GTEST} CACHE PATH "")
