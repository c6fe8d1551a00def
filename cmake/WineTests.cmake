# Windows tests under Wine. One fixture, "wine_session", gives the whole ctest run one Xvfb display
# and one fresh Wine prefix in the build folder, run by the loader for the build's processor; the
# emulator wrapper finds them through the environment that tarvik_wine_test sets. Where the host
# cannot run the build's programs, the session and every test that needs it end with status 77
# and show as skipped, with the reason in their output.
#
#   tarvik_add_wine_session()                 once, before any Windows test
#   tarvik_wine_test(<test>... [DESKTOP])     for every test that runs a Windows program; DESKTOP
#                                             for tests that use windows, focus, keyboard or
#                                             clipboard, so that no two of them run at once

set(TARVIK_WINE_SESSION_DIR ${CMAKE_BINARY_DIR}/wine-session)
# 32 or 64: what the checks of the executables' headers expect.
math(EXPR TARVIK_WINDOWS_BITS "${CMAKE_SIZEOF_VOID_P} * 8")

function(tarvik_add_wine_session)
    set(script ${PROJECT_SOURCE_DIR}/cmake/wine/session.sh)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(loader /usr/lib/wine/wine64)
    else()
        set(loader /usr/lib/wine/wine)
    endif()
    add_test(NAME wine_session_start COMMAND bash ${script} start ${TARVIK_WINE_SESSION_DIR} ${loader})
    add_test(NAME wine_session_stop COMMAND bash ${script} stop ${TARVIK_WINE_SESSION_DIR})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session SKIP_RETURN_CODE 77)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session)
endfunction()

function(tarvik_wine_test)
    cmake_parse_arguments(PARSE_ARGV 0 arg "DESKTOP" "" "")
    set_tests_properties(${arg_UNPARSED_ARGUMENTS} PROPERTIES
        FIXTURES_REQUIRED wine_session
        SKIP_RETURN_CODE 77
        ENVIRONMENT "TARVIK_WINE_SESSION=${TARVIK_WINE_SESSION_DIR}/session.env")
    if(arg_DESKTOP)
        set_tests_properties(${arg_UNPARSED_ARGUMENTS} PROPERTIES RESOURCE_LOCK wine_desktop)
    endif()
endfunction()
