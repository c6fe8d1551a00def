// The program started with inherited file handles as standard streams; files rather than pipes, so
// the test never has to drain two streams while it waits, and the wait has a deadline.
#include "run_process.hpp"

#include <windows.h>

#include <optional>
#include <stdexcept>

#include "sandbox.hpp"
#include "win32/process.hpp"
#include "win32_handles.hpp"

namespace norlak::wine_tests {

namespace {

using Handle = tarvik::win32::unique_hfile;

HANDLE OpenInheritable(const std::string& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open " + path);
    }
    return h;
}

// NAME=value strings, each ended by a NUL, the block ended by one more.
std::string EnvironmentBlock(const std::vector<std::string>& variables) {
    std::string block;
    for (const std::string& v : variables) {
        block += v;
        block += '\0';
    }
    block += '\0';
    return block;
}

}  // namespace

ProcessResult RunProcess(const ProcessRequest& request, const std::string& ioDirectory) {
    const std::string inPath = ioDirectory + "\\stdin", outPath = ioDirectory + "\\stdout",
                      errPath = ioDirectory + "\\stderr";
    WriteFile(inPath, request.input);
    ProcessResult result;
    {
        Handle in(OpenInheritable(inPath, GENERIC_READ, OPEN_EXISTING));
        Handle out(OpenInheritable(outPath, GENERIC_WRITE, CREATE_ALWAYS));
        Handle err(OpenInheritable(errPath, GENERIC_WRITE, CREATE_ALWAYS));

        std::string commandLine = "\"" + request.program + "\"";
        if (!request.argumentText.empty()) commandLine += " " + request.argumentText;
        test_support::Process process(Wide(request.program), Wide(commandLine),
                                      Wide(request.workingDirectory),
                                      {.environment = Wide(EnvironmentBlock(request.environment)),
                                       .input = in.get(),
                                       .output = out.get(),
                                       .error = err.get(),
                                       .desktop = {}});
        if (!process.Started()) {
            throw std::runtime_error("cannot start " + request.program + ": " + process.Error());
        }
        if (!process.WaitForEnd(test_support::kProcessEndLimitMs)) {
            process.Kill();
            throw std::runtime_error("gave up after " +
                                     std::to_string(test_support::kProcessEndLimitMs) +
                                     " ms waiting for the end of " + commandLine + "; killed it");
        }
        const std::optional<DWORD> code = process.ExitCode();
        if (!code) throw std::runtime_error("no exit code from " + commandLine);
        result.exitCode = *code;
    }
    result.output = ReadFile(outPath);
    result.error = ReadFile(errPath);
    return result;
}

}  // namespace norlak::wine_tests
