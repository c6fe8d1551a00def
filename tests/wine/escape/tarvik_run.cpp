// Waits for Tarvik.exe with a deadline, and ends it where it waits for a user.
#include "tarvik_run.hpp"

#include <windows.h>

#include "win32/process.hpp"

namespace roundtrip {
namespace {

constexpr ULONGLONG kRunLimitMs = 60000;
// How long a process that has written its error file may take to end before it counts as waiting
// in its windows.
constexpr ULONGLONG kWindowGraceMs = 1000;
constexpr DWORD kPollMs = 50;

}  // namespace

TarvikRun RunTarvik(const std::wstring& program, const std::wstring& commandLine,
                    const std::wstring& directory, DebugOutput& debugOutput) {
    TarvikRun run;
    test_support::Process process(program, commandLine, directory);
    run.started = process.Started();
    if (!run.started) return run;
    const std::wstring errorFile = directory + L"\\error.txt";
    const ULONGLONG start = GetTickCount64();
    ULONGLONG reported = 0;
    while (!process.WaitForEnd(kPollMs)) {
        const ULONGLONG now = GetTickCount64();
        if (reported == 0 && GetFileAttributesW(errorFile.c_str()) != INVALID_FILE_ATTRIBUTES)
            reported = now;
        run.endedInItsWindows = reported != 0 && now - reported > kWindowGraceMs;
        run.hung = !run.endedInItsWindows && now - start > kRunLimitMs;
        if (run.endedInItsWindows || run.hung) {
            process.Kill();
            break;
        }
    }
    if (!run.endedInItsWindows && !run.hung) run.exitStatus = process.ExitCode();
    // A sender waits until its string is taken; the listener takes one every few milliseconds.
    Sleep(200);
    run.debugOutput = debugOutput.Of(process.Id());
    return run;
}

}  // namespace roundtrip
