# The Windows distribution: `cmake --build build/windows --target package` writes
# Tarvik-<version>-win32.zip beside the executables (the product), and the 64-bit build
# Tarvik-<version>-win64.zip. It holds whatever the project installs into
# the top folder: Tarvik.exe, README.md, and NORLAK.exe through the launcher's own install rule.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tarvik)
set(CPACK_PACKAGE_VENDOR Tarvik)
set(CPACK_PACKAGE_VERSION ${TARVIK_VERSION_TEXT})
math(EXPR windows_bits "${CMAKE_SIZEOF_VOID_P} * 8")
set(CPACK_PACKAGE_FILE_NAME Tarvik-${TARVIK_VERSION_TEXT}-win${windows_bits})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# The build folder keeps the symbols for debugging; the package ships without them.
set(CPACK_STRIP_FILES ON)
include(CPack)
