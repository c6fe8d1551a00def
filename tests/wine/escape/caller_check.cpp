// The caller's batch file, its run in this console by cmd, and the comparison of its output.
#include "caller_check.hpp"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "win32/process.hpp"
#include "win32/scratch_dir.hpp"
#include "win32/wine_difference.hpp"
#include "win32_handles.hpp"

namespace roundtrip {
namespace {

std::string CallerBatch(const Case& c, Expansion expansion) {
    const bool on = expansion == Expansion::On;
    std::string batch = "@echo off\r\nsetlocal ";
    batch += on ? "EnableDelayedExpansion\r\n" : "DisableDelayedExpansion\r\n";
    batch += "set TARVIKVALUE=\r\necho BEGIN\r\n";
    const std::string console = std::to_string(GetConsoleOutputCP());
    if (c.chcp != 0) batch += "chcp " + std::to_string(c.chcp) + " >nul\r\n";
    batch += "call v.cmd\r\n";
    if (c.chcp != 0) batch += "chcp " + console + " >nul\r\n";
    batch += "echo END\r\nset TARVIKVALUE\r\n";
    // Inside quotes a value is safe only when it holds no quote of its own. The brackets keep an
    // empty value from turning echo into a question of its state.
    if (on) batch += "echo [!TARVIKVALUE!]\r\n";
    if (!on && !c.Holds(L'"')) batch += "echo [\"%TARVIKVALUE%\"]\r\n";
    return batch;
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (const char b : bytes) {
        if (b == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (b != '\r') {
            line += b;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// Stands for any value in an expected line: a value that does not fit the console comes back as
// other characters.
constexpr char kAnyValue[] = "\x01";

std::vector<std::string> ExpectedLines(const Case& c, Expansion expansion) {
    std::string value = kAnyValue;
    if (c.expect == Expect::Exact) Encode(c.value, GetConsoleOutputCP(), value);
    std::vector<std::string> lines = {"BEGIN", "END", "TARVIKVALUE=" + value};
    if (expansion == Expansion::On) lines.push_back("[" + value + "]");
    if (expansion == Expansion::Off && !c.Holds(L'"')) lines.push_back("[\"" + value + "\"]");
    return lines;
}

bool Matches(const std::string& expected, const std::string& got) {
    const std::size_t any = expected.find(kAnyValue);
    if (any == std::string::npos || expected.size() > got.size() + 1) return expected == got;
    const std::string tail = expected.substr(any + 1);
    return got.compare(0, any, expected, 0, any) == 0 && got.size() >= any + tail.size() &&
           got.compare(got.size() - tail.size(), tail.size(), tail) == 0;
}

// Why Wine's cmd gives another line than Windows' would; empty where it should give the same.
std::string WineReason(const Case& c, Expansion expansion, std::size_t line) {
    if (c.chcp != 0 && c.chcp != GetOEMCP() && c.expect == Expect::Exact)
        return "Wine's cmd reads batch files in the OEM code page whatever chcp says";
    if (expansion == Expansion::On && c.Holds(L'!'))
        return line == 3 ? "Wine's cmd drops a \"!\" of a value read as !NAME!"
                         : "Wine's cmd mishandles \"!\" with delayed expansion on";
    if (expansion == Expansion::Off && line == 3 && c.Holds(L'%'))
        return "Wine's cmd expands a value read as \"%NAME%\" once more, taking its \"%\"";
    return {};
}

std::wstring CommandInterpreter() {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\cmd.exe";
}

}  // namespace

int CheckCaller(const Case& c, const std::string& name, const std::wstring& caseDirectory,
                Expansion expansion) {
    const std::string label =
        name + (expansion == Expansion::On ? ", delayed expansion on" : ", delayed expansion off");
    test_support::WriteBytes(caseDirectory + L"\\caller.bat", CallerBatch(c, expansion));
    const auto before = test_support::ListDirectory(caseDirectory);
    const test_support::Captured run =
        test_support::RunCaptured(CommandInterpreter(), L"cmd /d /c caller.bat", caseDirectory);
    const bool sameFiles = test_support::ListDirectory(caseDirectory) == before;
    DeleteFileW((caseDirectory + L"\\caller.bat").c_str());
    int failures = 0;
    const auto check = [&](bool ok, const std::string& reason, const std::string& what) {
        if (!ok && test_support::FailsTheRun(label, reason, what)) {
            std::printf("== %s: %s\n", label.c_str(), what.c_str());
            ++failures;
        }
    };
    check(run.ended, {}, "the caller did not end");
    const std::vector<std::string> expected = ExpectedLines(c, expansion);
    const std::vector<std::string> got = Lines(run.output);
    const std::string anyReason = WineReason(c, expansion, 2) + WineReason(c, expansion, 3);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string line = i < got.size() ? got[i] : "(no line)";
        check(Matches(expected[i], line), WineReason(c, expansion, i),
              "line " + std::to_string(i + 1) + ": expected [" + expected[i] + "], got [" + line +
                  "]");
    }
    check(got.size() <= expected.size(), anyReason, "more lines than expected: " + run.output);
    check(run.errors.empty(), anyReason, "cmd reported: " + run.errors);
    check(sameFiles, {}, "files appeared or vanished beside the result file");
    return failures;
}

}  // namespace roundtrip
