@echo off
rem Tells whether app.log holds an ERROR line and a FATAL line. With only
rem /F:, /C: and /M Tarvik writes no file: the exit status answers (0 found,
rem 1 not found, 10 and more a failure).
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

rem A match may be anywhere in a line, in any letter case without /M:
rem "FATAL" alone would be found in "no fatal warnings", "ERROR" in
rem "0 errors". So look for the level as the log writes it: in capitals
rem (/M) and between spaces.
for %%W in (ERROR FATAL) do (
    "%WORK%\Tarvik.exe" /f:app.log /c:" %%W " /m
    if errorlevel 10 (type "%WORK%\error.txt") else if errorlevel 1 (
        echo app.log has no %%W line) else echo app.log has an %%W line
)
rmdir /s /q "%WORK%"
exit /b 0
