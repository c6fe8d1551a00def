# The 32-bit Windows product (Debian packages g++-mingw-w64-i686, binutils-mingw-w64-i686).
set(TARVIK_MINGW_CPU i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
