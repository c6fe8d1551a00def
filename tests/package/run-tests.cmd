@echo off
rem Runs the Windows tests of Tarvik and NORLAK from the folder this package was unpacked to, on
rem any Windows from 7 on (or under Wine), with nothing installed. Start it from cmd:
rem     run-tests.cmd            every test
rem     run-tests.cmd NAME       one of them (core_tests, win32_tests, norlak_tests,
rem                              tarvik_driver, console_roundtrip, recipes)
rem It ends with the line "N passed, N failed, N skipped" and status 1 when any failed. Where
rem Wine is known to differ from Windows, a test says so in a line "wine difference: ..." and
rem passes; on Windows the same case must pass as it is.
setlocal EnableExtensions DisableDelayedExpansion
cd /d "%~dp0"
set "PACKAGE=%~dp0"
set "ONLY=%~1"
set /a passed=0, failed=0, skipped=0
call :test core_tests "%PACKAGE%tests\core_tests.exe"
call :test win32_tests "%PACKAGE%tests\win32_tests.exe"
call :test norlak_tests "%PACKAGE%tests\norlak_wine_tests.exe" "%PACKAGE%product\NORLAK.exe" "%PACKAGE%tests\fake_interpreter.exe"
call :test tarvik_driver "%PACKAGE%tests\tarvik_driver.exe" "%PACKAGE%product\Tarvik.exe"
call :test console_roundtrip "%PACKAGE%tests\console_roundtrip.exe" "%PACKAGE%product\Tarvik.exe" "%PACKAGE%tests\data"
call :test recipes "%PACKAGE%tests\recipes_test.exe" "%PACKAGE%product"
set /a ran=passed+failed+skipped
if %ran% equ 0 (
    echo no test named "%ONLY%"
    exit /b 1
)
echo %passed% passed, %failed% failed, %skipped% skipped
if %failed% gtr 0 exit /b 1
exit /b 0

rem Runs one test program: status 0 passed, 77 skipped (it says why), anything else failed.
:test
if defined ONLY if /i not "%ONLY%"=="%~1" exit /b 0
echo == %~1
%2 %3 %4 %5
set status=%errorlevel%
if %status% equ 77 (
    set /a skipped+=1
    echo == %~1: skipped
) else if %status% equ 0 (
    set /a passed+=1
    echo == %~1: passed
) else (
    set /a failed+=1
    echo == %~1: failed with status %status%
)
exit /b 0
