# The one place the version comes from: project(VERSION) in the top CMakeLists.txt. Included once,
# right after project(); sets
#   TARVIK_VERSION_TEXT   the version as Tarvik's users see it, "1.00.0002" for project version
#                         1.0.2: the minor number in two digits and the revision in four;
#   TARVIK_VERSION_TITLE  the usage window's title, "Tarvik Version1.0.2";
# and the interface library tarvik_version, whose header tarvik_version.h gives programs, resource
# scripts and tests the same numbers and texts.
string(LENGTH "${PROJECT_VERSION_MINOR}" _minor_digits)
string(LENGTH "${PROJECT_VERSION_PATCH}" _revision_digits)
math(EXPR _minor_pad "2 - ${_minor_digits}")
math(EXPR _revision_pad "4 - ${_revision_digits}")
set(_minor "${PROJECT_VERSION_MINOR}")
set(_revision "${PROJECT_VERSION_PATCH}")
if(_minor_pad GREATER 0)
    string(REPEAT "0" ${_minor_pad} _zeros)
    string(PREPEND _minor "${_zeros}")
endif()
if(_revision_pad GREATER 0)
    string(REPEAT "0" ${_revision_pad} _zeros)
    string(PREPEND _revision "${_zeros}")
endif()
set(TARVIK_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${_minor}.${_revision}")
set(TARVIK_VERSION_TITLE "Tarvik Version${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/tarvik_version.h.in ${PROJECT_BINARY_DIR}/generated/tarvik_version.h @ONLY)
add_library(tarvik_version INTERFACE)
target_include_directories(tarvik_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
