// Entry point of the Windows build: a windowed program driven only by its command line.
#include <windows.h>

#include "run_flow.hpp"
#include "win32_platform.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tarvik::win32::Win32Platform platform;
    return tarvik::ExitStatus(tarvik::Main(platform));
}
