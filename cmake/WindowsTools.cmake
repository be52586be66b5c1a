# Where Debian's packages put what the Windows build needs: the MinGW-w64
# compilers (posix threads, for std::thread), Wine, and GoogleTest's sources.
set(OVANTIS_MINGW x86_64-w64-mingw32)
set(OVANTIS_WINE /usr/lib/wine/wine64)
set(OVANTIS_MINGW_GTEST /usr/src/googletest)
