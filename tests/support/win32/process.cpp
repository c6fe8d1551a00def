// CreateProcessW with the command line exactly as given.
#include "win32/process.hpp"

namespace test_support {

Process::Process(const std::wstring& application, const std::wstring& commandLine,
                 const std::wstring& currentDirectory, const ProcessOptions& options) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const bool redirected = options.input || options.output || options.error;
    if (redirected) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = options.input;
        startup.hStdOutput = options.output;
        startup.hStdError = options.error;
    }
    std::wstring writable = commandLine;  // CreateProcessW may write into its command line
    std::wstring environment = options.environment;
    if (!CreateProcessW(application.c_str(), writable.data(), nullptr, nullptr, redirected,
                        environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT,
                        environment.empty() ? nullptr : environment.data(),
                        currentDirectory.c_str(), &startup, &info_)) {
        error_ = "CreateProcessW failed with error " + std::to_string(GetLastError());
        info_ = {};
    }
}

Process::~Process() {
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool Process::HasEnded() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
}

bool Process::WaitForEnd(DWORD limit) const {
    return WaitForSingleObject(info_.hProcess, limit) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
    DWORD code = 0;
    if (!HasEnded() || !GetExitCodeProcess(info_.hProcess, &code)) return std::nullopt;
    return code;
}

void Process::Kill() {
    if (HasEnded()) return;
    TerminateProcess(info_.hProcess, 255);
    WaitForEnd(kProcessEndLimitMs);
}

}  // namespace test_support
