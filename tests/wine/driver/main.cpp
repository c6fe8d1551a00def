// The Win32 test driver of Tarvik.exe, run on Windows and under Wine from the test package:
//   tarvik_driver.exe PATH_OF_TARVIK_EXE [PART_OF_CASE_NAME]
// Runs every registered case (or those whose name contains the second argument) and ends with
// status 0 only when all passed, 77 when skipped.
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "case.hpp"
#include "run_case.hpp"
#include "screen_pixels.hpp"
#include "visible_station.hpp"
#include "wine_text.hpp"

namespace wine_driver {
namespace {

// Under Wine a Unix path works too: Wine maps the Unix root to drive Z:.
std::wstring WindowsPath(std::wstring path) {
    if (path.empty() || path.front() != L'/') return path;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return L"Z:" + path;
}

int Run(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: tarvik_driver PATH_OF_TARVIK_EXE [PART_OF_CASE_NAME]\n");
        return 2;
    }
    const std::wstring tarvik = WindowsPath(argv[1]);
    const std::string filter = argc > 2 ? Utf8(argv[2]) : std::string();
    if (GetFileAttributesW(tarvik.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("FAIL no executable at %s\n", Utf8(tarvik).c_str());
        return 1;
    }
    // The expected bytes of typed non-ASCII text are those of Western Windows.
    if (GetACP() != 1252 || GetOEMCP() != 437) {
        std::printf(
            "SKIPPED: the cases expect ANSI code page 1252 and OEM 437, this system has "
            "%u and %u\n",
            GetACP(), GetOEMCP());
        return 77;
    }
    // The controls' pixels are compared with text the driver draws in Arial; that tells the face
    // apart only where Arial is Arial or a font with its shapes, not some fallback that any missing
    // face would get too.
    const std::wstring arial = FamilyOf(DesignFont(L"Arial", 16, FW_BOLD));
    if (arial != L"Arial" && arial != L"Liberation Sans") {
        std::printf("FAIL expected Arial to be drawn in Arial or Liberation Sans, got '%s'\n",
                    Utf8(arial).c_str());
        return 1;
    }
    // A driver that runs where nobody sees windows (as a service) starts Tarvik.exe there too, and
    // it then rightly shows none.
    const bool visible = tarvik::win32::WindowStationIsVisible();
    int run = 0, failed = 0, skipped = 0;
    for (const Case& testCase : RegisteredCases()) {
        if (testCase.name.find(filter) == std::string::npos) continue;
        if (!visible && (testCase.messageBox || testCase.usageWindow)) {
            ++skipped;
            continue;
        }
        ++run;
        if (!RunCase(testCase, tarvik)) ++failed;
        std::fflush(stdout);
    }
    if (skipped > 0)
        std::printf("skipped %d cases that show windows: this window station is not visible\n",
                    skipped);
    std::printf("%d cases, %d passed, %d failed\n", run, run - failed, failed);
    return run > 0 && failed == 0 ? 0 : 1;
}

}  // namespace

std::vector<Case>& RegisteredCases() {
    static std::vector<Case> cases;
    return cases;
}

std::vector<Case> Unseen(std::vector<Case> cases) {
    for (Case& testCase : cases) {
        testCase.name = "unseen: " + testCase.name;
        testCase.unseen = true;
        testCase.messageBox.reset();
        testCase.usageWindow.reset();
        testCase.atMostMs = kUnseenRunLimitMs;
    }
    return cases;
}

CaseRegistration::CaseRegistration(std::vector<Case> cases) {
    for (Case& testCase : cases) RegisteredCases().push_back(std::move(testCase));
}

}  // namespace wine_driver

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const int status = wine_driver::Run(argc, argv);
    LocalFree(argv);
    return status;
}
