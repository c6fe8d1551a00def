@echo off
rem Sets VERSION to what follows "version=" at the start of a line of
rem settings.ini.
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

rem A match may be anywhere in a line: "version=" also matches in
rem "api_version=3" and "; version=0.0 old". So settings.ini goes into the
rem folder with a "|" before each line, and /C:"|version=" matches only
rem where a line starts with "version=".
for /f "usebackq delims=" %%L in ("%~dp0settings.ini") do (
    >>"%WORK%\settings.ini" (echo:^|%%L)
)

rem /S:0 asks for the rest of the line. Clear the variable first: a run
rem that writes nothing leaves it as it was.
set "VERSION="
"%WORK%\Tarvik.exe" /f:settings.ini /c:"|version=" /s:0 /e:VERSION
if errorlevel 10 (type "%WORK%\error.txt") else if errorlevel 1 (
    echo no version line) else call "%WORK%\Value.cmd"
rmdir /s /q "%WORK%"
if not defined VERSION exit /b 1
echo version is %VERSION%
