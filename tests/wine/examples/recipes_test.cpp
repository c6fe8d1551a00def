// The recipes of the ZIP, run end to end by cmd from the product folder: each must end with status
// 0, print exactly what it promises, and leave nothing behind in TEMP. A recipe in the folder
// without an expectation here fails, so none goes unrun. The PowerShell recipe of README.txt runs
// too, where PowerShell is.
// Usage: recipes_test.exe PRODUCT_DIR. Ends with 0, or 1 on failures.
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include "win32/process.hpp"
#include "win32/scratch_dir.hpp"
#include "win32/wine_difference.hpp"

namespace {

using test_support::Captured;

const std::map<std::wstring, std::string> kExpected = {
    {L"ini-value.bat", "version is 2.4.1\n"},
    {L"log-field.bat", "first error at 10:04:17: disk D: is full\n"},
    {L"presence.bat", "app.log has an ERROR line\napp.log has no FATAL line\n"},
    {L"loop.bat",
     "https://alpha.example/health?full=1&fast=1\nno url on this "
     "line\nhttps://beta.example/status\n"},
};

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

std::wstring SystemProgram(const wchar_t* relative) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\" + relative;
}

// Runs one recipe with a TEMP of its own; returns the failures.
int RunRecipe(const std::wstring& product, const std::wstring& recipe) {
    const test_support::ScratchDir work;
    const std::wstring temp = work.MakeSubdirectory(L"temp");
    test_support::WriteBytes(
        work.Path() + L"\\run.bat",
        "@set \"TEMP=%~dp0temp\"\r\n@call \"" + Utf8(product) + "\\examples\\%1\"\r\n");
    const Captured run = test_support::RunCaptured(SystemProgram(L"cmd.exe"),
                                                   L"cmd /d /c run.bat " + recipe, work.Path());
    const auto expected = kExpected.find(recipe);
    const std::string want = expected == kExpected.end() ? "(no expectation)" : expected->second;
    const std::string got = WithoutCarriageReturns(run.output + run.errors);
    int failures = 0;
    if (!run.ended || run.exitCode != 0UL || got != want) {
        std::printf("== %s ended with %lu and printed:\n%s== expected:\n%s", Utf8(recipe).c_str(),
                    run.exitCode.value_or(~0UL), got.c_str(), want.c_str());
        ++failures;
    }
    if (!test_support::ListDirectory(temp).empty()) {
        std::printf("== %s left files in TEMP\n", Utf8(recipe).c_str());
        ++failures;
    }
    return failures;
}

// The lines of README.txt from "$tool = " to the closing brace, unindented, with the tool folder
// put in.
std::string PowerShellRecipe(const std::wstring& product, const std::wstring& folder) {
    const std::string guide = test_support::ReadBytes(product + L"\\README.txt");
    const std::size_t start = guide.find("  $tool = ");
    const std::size_t end = guide.find("\r\n  }\r\n", start);
    if (start == std::string::npos || end == std::string::npos) return {};
    std::string recipe;
    std::size_t at = start;
    while (at < end + 5) {
        const std::size_t next = guide.find("\r\n", at);
        recipe += guide.substr(at + 2, next - at - 2) + "\r\n";
        at = next + 2;
    }
    const std::string placeholder = "C:\\Tools\\Tarvik";
    recipe.replace(recipe.find(placeholder), placeholder.size(), Utf8(folder));
    return recipe + "Write-Output \"NAME=$name\"\r\n";
}

int RunPowerShellRecipe(const std::wstring& product) {
    const std::wstring powershell = SystemProgram(L"WindowsPowerShell\\v1.0\\powershell.exe");
    if (GetFileAttributesW(powershell.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("skipped: the PowerShell recipe, as this system has no PowerShell\n");
        return 0;
    }
    const test_support::ScratchDir work;
    for (const wchar_t* file : {L"Tarvik.exe", L"examples\\settings.ini"}) {
        const std::wstring name = std::wstring(file).substr(std::wstring(file).rfind(L'\\') + 1);
        CopyFileW((product + L"\\" + file).c_str(), (work.Path() + L"\\" + name).c_str(), FALSE);
    }
    test_support::WriteBytes(work.Path() + L"\\recipe.ps1", PowerShellRecipe(product, work.Path()));
    const Captured run = test_support::RunCaptured(
        powershell,
        L"powershell -NoProfile -NonInteractive -ExecutionPolicy Bypass -File recipe.ps1",
        work.Path());
    const std::string got = WithoutCarriageReturns(run.output);
    if (got == "NAME=Demo\n") return 0;
    const std::string what = "expected NAME=Demo, got [" + got + run.errors + "]";
    if (!test_support::FailsTheRun("the PowerShell recipe of README.txt",
                                   "Wine's powershell.exe is a stub that runs no script", what))
        return 0;
    std::printf("== the PowerShell recipe of README.txt: %s\n", what.c_str());
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::printf("usage: recipes_test PRODUCT_DIR\n");
        return 2;
    }
    const std::wstring product = argv[1];
    int failures = 0, recipes = 0;
    for (const std::wstring& name : test_support::ListDirectory(product + L"\\examples")) {
        if (name.size() < 4 || name.substr(name.size() - 4) != L".bat") continue;
        ++recipes;
        failures += RunRecipe(product, name);
    }
    if (recipes != static_cast<int>(kExpected.size())) {
        std::printf("== %d recipes in the folder, %zu with an expected output here\n", recipes,
                    kExpected.size());
        ++failures;
    }
    failures += RunPowerShellRecipe(product);
    std::printf("%d recipes and the PowerShell recipe run from %s: %d failures\n", recipes,
                Utf8(product).c_str(), failures);
    return failures == 0 ? 0 : 1;
}
