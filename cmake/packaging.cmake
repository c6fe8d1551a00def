# The Windows distribution. Every build of the windows preset writes Tarvik-<version>-win32.zip
# (the product; the windows-x64 preset Tarvik-<version>-win64.zip) and SHA256SUMS beside the
# executables, through cmake/make_zip.cmake, so that the tests can unpack the ZIP they ship.
math(EXPR windows_bits "${CMAKE_SIZEOF_VOID_P} * 8")
set(TARVIK_ZIP_NAME Tarvik-${TARVIK_VERSION_TEXT}-win${windows_bits})
# What the packing script needs besides the two executables and the output folder; the check of
# reproducibility repacks with the same.
set(TARVIK_ZIP_ARGUMENTS -DNAME=${TARVIK_ZIP_NAME} -DSTRIP=${CMAKE_STRIP}
    -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/make_zip.cmake)

# No file dependencies on purpose: it runs on every build (a fraction of a second), so that a new
# commit's time reaches the entries even when no file changed.
add_custom_target(zip ALL
    COMMAND ${CMAKE_COMMAND} -DTARVIK=$<TARGET_FILE:Tarvik> -DNORLAK=$<TARGET_FILE:NORLAK>
        -DOUT=${CMAKE_BINARY_DIR} ${TARVIK_ZIP_ARGUMENTS}
    BYPRODUCTS ${CMAKE_BINARY_DIR}/${TARVIK_ZIP_NAME}.zip ${CMAKE_BINARY_DIR}/SHA256SUMS
    COMMENT "Writing ${TARVIK_ZIP_NAME}.zip and SHA256SUMS"
    VERBATIM)
add_dependencies(zip Tarvik NORLAK)
