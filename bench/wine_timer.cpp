// The Windows counterpart of run_timed, for timing Tarvik.exe under Wine: runs the Tarvik.exe
// beside it once and prints its wall-clock seconds and exit status, "seconds status" (Wine
// reports no peak memory of an ended process). The command-line tail is taken verbatim from
// TARVIK_BENCH_ARGS, since Wine would escape the double quotes of switches given as arguments. A
// run that shows a window (a failure report) is ended at once with status -2, one that outlasts
// TARVIK_BENCH_TIMEOUT seconds (default 1800) with status -3. Built by bench/run.sh with the
// mingw-w64 compiler of the executable's architecture.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "win32_handles.hpp"

namespace {

using Handle = tarvik::win32::unique_kernel_handle;

std::wstring Environment(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

struct WindowSearch {
    DWORD process;
    bool found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM search_address) {
    auto& search = *reinterpret_cast<WindowSearch*>(search_address);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    search.found = owner == search.process && IsWindowVisible(window);
    return search.found ? FALSE : TRUE;
}

bool ShowsWindow(DWORD process) {
    WindowSearch search{process, false};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int wmain() {
    std::wstring folder(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, folder.data(), MAX_PATH);
    if (length == 0 || length == MAX_PATH) {
        std::fprintf(stderr, "GetModuleFileNameW failed: %lu\n", GetLastError());
        return 1;
    }
    folder.resize(folder.find_last_of(L'\\', length));
    const std::wstring program = folder + L"\\Tarvik.exe";
    std::wstring command = L"\"" + program + L"\" " + Environment(L"TARVIK_BENCH_ARGS");
    const std::wstring timeout_text = Environment(L"TARVIK_BENCH_TIMEOUT");
    const double timeout =
        timeout_text.empty() ? 1800.0 : std::wcstod(timeout_text.c_str(), nullptr);

    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    const auto seconds = [&] {
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    };
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started)) {
        std::fprintf(stderr, "CreateProcessW failed: %lu\n", GetLastError());
        return 1;
    }
    const Handle process(started.hProcess);
    const Handle thread(started.hThread);
    long status = 0;
    while (WaitForSingleObject(process.get(), 50) == WAIT_TIMEOUT) {
        status = ShowsWindow(started.dwProcessId) ? -2 : seconds() > timeout ? -3 : 0;
        if (status != 0) {
            TerminateProcess(process.get(), 99);
            WaitForSingleObject(process.get(), INFINITE);
            break;
        }
    }
    const double elapsed = seconds();
    if (status == 0) {
        DWORD code = 0;
        GetExitCodeProcess(process.get(), &code);
        status = static_cast<long>(code);
    }
    std::printf("%.6f %ld\n", elapsed, status);
    return 0;
}
