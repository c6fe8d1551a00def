@echo off
rem Shows the address after "url=" on each line of servers.txt. In /T:"..."
rem a "/" would end the value and a "?" would show the usage window, so each
rem line goes through a file instead. The result goes into url.cmd (/O:).
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

for /f "usebackq delims=" %%L in ("%~dp0servers.txt") do (
    >"%WORK%\line.txt" (echo:%%L)
    call :url_of_line
)
rmdir /s /q "%WORK%"
goto :eof

:url_of_line
rem A run deletes Value.cmd and error.txt first, but not an /O: file: after
rem a line without "url=" the url.cmd of the line before is still there.
rem So delete it before the run, and call it only when the run wrote it.
del "%WORK%\url.cmd" 2>nul
set "URL="
"%WORK%\Tarvik.exe" /f:line.txt /c:"url=" /s:0 /e:URL /o:url.cmd
if errorlevel 1 (echo no url on this line) & goto :eof
call "%WORK%\url.cmd"
rem The address holds "&": delayed expansion shows it as it is.
setlocal EnableDelayedExpansion
echo:!URL!
endlocal
