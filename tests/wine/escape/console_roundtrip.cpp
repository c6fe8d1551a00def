// Values through Tarvik.exe and back into batch scripts run by cmd in this console, which reads
// them in the console's code page: typed and from files in every encoding, hostile ones among
// them, with the console switched by chcp for some. The cases are those of the system's OEM code
// page (roundtrip_437.txt, roundtrip_932.txt beside the program's data). Each value must come back
// exactly where the case says so, or at least do nothing else, or be refused with the general
// failure and its reason told to the developer; no case may print anything else or make a file.
// Usage: console_roundtrip.exe TARVIK_EXE DATA_DIR. Ends with 0, 1 on failures, 77 when skipped.
#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "caller_check.hpp"
#include "debug_output.hpp"
#include "fill.hpp"
#include "roundtrip_case.hpp"
#include "tarvik_run.hpp"
#include "win32/scratch_dir.hpp"
#include "win32/wine_difference.hpp"

namespace roundtrip {
namespace {

constexpr int kSkipped = 77;
constexpr char kRefusalReason[] = "Tarvik: result line has no encoding every reader keeps apart";

// Runs Tarvik.exe for one case in its own folder, with the console switched as the case says.
TarvikRun RunCase(const Case& c, const std::wstring& tarvik, const std::wstring& directory,
                  DebugOutput& debugOutput) {
    const std::wstring copy = directory + L"\\Tarvik.exe";
    CopyFileW(tarvik.c_str(), copy.c_str(), FALSE);
    if (c.source != "typed") test_support::WriteBytes(directory + L"\\in.txt", InputFileBytes(c));
    const UINT console = GetConsoleOutputCP();
    if (c.chcp != 0) SetConsoleOutputCP(c.chcp), SetConsoleCP(c.chcp);
    TarvikRun run = RunTarvik(copy, L"Tarvik.exe " + Switches(c), directory, debugOutput);
    if (c.chcp != 0) SetConsoleOutputCP(console), SetConsoleCP(console);
    return run;
}

// Returns whether a result file was written to be called.
bool CheckRun(const Case& c, const std::string& name, const TarvikRun& run,
              const std::wstring& directory, int& failures) {
    const auto fail = [&](const std::string& what) {
        std::printf("== %s: %s\n", name.c_str(), what.c_str());
        ++failures;
    };
    const std::string report = test_support::ReadBytes(directory + L"\\error.txt");
    const bool written =
        GetFileAttributesW((directory + L"\\v.cmd").c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!run.started || run.hung) fail("Tarvik.exe did not start or did not end");
    if (c.expect != Expect::Refused) {
        if (!written || !report.empty() || run.exitStatus != 0UL)
            fail("expected a result file, got the report [" + report + "]");
        return written;
    }
    if (written || report != std::string(golden::kGeneralFailure) + "\r\n")
        fail("expected the general failure, got [" + report + "]");
    bool told = false;
    for (const std::string& line : run.debugOutput) told = told || line.find(kRefusalReason) == 0;
    if (!told)
        fail(std::string("expected the reason \"") + kRefusalReason + "\" to reach the developer");
    return false;
}

int Run(const std::wstring& tarvik, const std::wstring& data) {
    if (GetConsoleOutputCP() == 0) {
        std::printf("SKIPPED: the round trip needs a console\n");
        return kSkipped;
    }
    const std::wstring path = data + L"\\roundtrip_" + std::to_wstring(GetOEMCP()) + L".txt";
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("SKIPPED: no round trip cases for OEM code page %u\n", GetOEMCP());
        return kSkipped;
    }
    const std::vector<Case> cases = ReadCases(path);
    DebugOutput debugOutput;
    if (!debugOutput.Listening()) {
        std::printf("SKIPPED: another program listens to OutputDebugString\n");
        return kSkipped;
    }
    test_support::ScratchDir work;
    int failures = 0, written = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const std::string name = "case " + std::to_string(i + 1) + " (" + Utf8(c.value) + ")";
        const std::wstring directory = work.MakeSubdirectory(L"c" + std::to_wstring(i));
        const TarvikRun run = RunCase(c, tarvik, directory, debugOutput);
        if (!CheckRun(c, name, run, directory, failures)) continue;
        ++written;
        for (const Expansion expansion : {Expansion::Off, Expansion::On})
            failures += CheckCaller(c, name, directory, expansion);
    }
    std::printf(
        "%zu cases in console code page %u (OEM %u, ANSI %u): %d values written and read "
        "back with delayed expansion off and on, %d failures\n",
        cases.size(), GetConsoleOutputCP(), GetOEMCP(), GetACP(), written, failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace roundtrip

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::printf("usage: console_roundtrip TARVIK_EXE DATA_DIR\n");
        return 2;
    }
    try {
        return roundtrip::Run(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::printf("FAIL %s\n", e.what());
        return 1;
    }
}
