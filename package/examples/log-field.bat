@echo off
rem Shows the time and the message of the first ERROR line of app.log,
rem whose lines read "2026-12-01 10:04:17 ERROR job=nightly message...".
setlocal
rem Copy Tarvik into a new folder of this run's own: it works in its own
rem folder, and scripts sharing one would read each other's Value.cmd.
rem mkdir fails on a folder that exists, but sets ERRORLEVEL only then.
if not exist "%TEMP%\" exit /b 2
:new_folder
set "WORK=%TEMP%\tarvik-%RANDOM%%RANDOM%"
(call )
mkdir "%WORK%" 2>nul
if errorlevel 1 goto new_folder
copy /y "%~dp0..\Tarvik.exe" "%WORK%\" >nul
copy /y "%~dp0app.log" "%WORK%\" >nul

rem The level stands in capitals between spaces: /M matches case, so that
rem " ERROR " is not found in " error " of a message. The time starts 8
rem characters before the match (/S:-8) and has 8 (/L:8).
set "WHEN="
"%WORK%\Tarvik.exe" /f:app.log /c:" ERROR " /m /s:-8 /l:8 /e:WHEN
if not errorlevel 1 call "%WORK%\Value.cmd"
rem The message: the rest of the line after "job=nightly ".
set "MESSAGE="
"%WORK%\Tarvik.exe" /f:app.log /c:" ERROR job=nightly " /m /s:0 /e:MESSAGE
if not errorlevel 1 call "%WORK%\Value.cmd"
rmdir /s /q "%WORK%"
if not defined MESSAGE exit /b 1
rem A value may hold any character: delayed expansion shows it as it is.
setlocal EnableDelayedExpansion
echo first error at !WHEN!: !MESSAGE!
