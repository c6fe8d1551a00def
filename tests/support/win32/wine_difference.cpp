// Wine tells itself apart by an export of its ntdll that Windows does not have.
#include "win32/wine_difference.hpp"

#include <windows.h>

#include <cstdio>

namespace test_support {

bool RunningUnderWine() {
    static const bool wine = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

bool FailsTheRun(std::string_view caseName, std::string_view wineReason, std::string_view what) {
    if (wineReason.empty() || !RunningUnderWine()) return true;
    std::printf("wine difference: %.*s: %.*s (%.*s)\n", static_cast<int>(caseName.size()),
                caseName.data(), static_cast<int>(wineReason.size()), wineReason.data(),
                static_cast<int>(what.size()), what.data());
    std::fflush(stdout);
    return false;
}

}  // namespace test_support
