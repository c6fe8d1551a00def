# Windows tests under Wine. One fixture, "wine_session", gives the whole ctest run one Xvfb display
# and one fresh Wine prefix in the build folder; the emulator wrapper finds them through the
# environment that tarvik_wine_test sets.
#
#   tarvik_add_wine_session()                 once, before any Windows test
#   tarvik_wine_test(<test>... [DESKTOP])     for every test that runs a Windows program; DESKTOP
#                                             for tests that use windows, focus, keyboard or
#                                             clipboard, so that no two of them run at once

set(TARVIK_WINE_SESSION_DIR ${CMAKE_BINARY_DIR}/wine-session)

function(tarvik_add_wine_session)
    set(script ${PROJECT_SOURCE_DIR}/cmake/wine/session.sh)
    add_test(NAME wine_session_start COMMAND bash ${script} start ${TARVIK_WINE_SESSION_DIR})
    add_test(NAME wine_session_stop COMMAND bash ${script} stop ${TARVIK_WINE_SESSION_DIR})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session)
endfunction()

function(tarvik_wine_test)
    cmake_parse_arguments(PARSE_ARGV 0 arg "DESKTOP" "" "")
    set_tests_properties(${arg_UNPARSED_ARGUMENTS} PROPERTIES
        FIXTURES_REQUIRED wine_session
        ENVIRONMENT "TARVIK_WINE_SESSION=${TARVIK_WINE_SESSION_DIR}/session.env")
    if(arg_DESKTOP)
        set_tests_properties(${arg_UNPARSED_ARGUMENTS} PROPERTIES RESOURCE_LOCK wine_desktop)
    endif()
endfunction()
