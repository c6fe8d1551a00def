// Entry point of the Windows build: a windowed program driven only by its command line.
#include <windows.h>

#include "run_flow.hpp"
#include "vector_scan.hpp"
#include "win32_platform.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A 32-bit build cannot take SSE2 for granted: the search uses it once Windows confirms it.
    if (IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE)) {
        tarvik::SetVectorLevel(tarvik::VectorLevel::Avx2);
    }
    tarvik::win32::Win32Platform platform;
    return tarvik::ExitStatus(tarvik::Main(platform));
}
