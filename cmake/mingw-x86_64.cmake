# The 64-bit Windows build (Debian packages g++-mingw-w64-x86-64, binutils-mingw-w64-x86-64): for
# 64-bit Windows without the 32-bit subsystem, and for hosts whose Wine cannot run 32-bit programs.
set(TARVIK_MINGW_CPU x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
