// CreateProcessW with the command line exactly as given.
#include "process.hpp"

namespace wine_driver {

Process::Process(const std::wstring& application, const std::wstring& commandLine, const std::wstring& currentDirectory) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring writable = commandLine;  // CreateProcessW may write into its command line
    if (!CreateProcessW(application.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.c_str(), &startup, &info_)) {
        error_ = "CreateProcessW failed with error " + std::to_string(GetLastError());
        info_ = {};
    }
}

Process::~Process() {
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool Process::HasEnded() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }

bool Process::WaitForEnd(DWORD limit) const { return WaitForSingleObject(info_.hProcess, limit) == WAIT_OBJECT_0; }

std::optional<DWORD> Process::ExitCode() const {
    DWORD code = 0;
    if (!HasEnded() || !GetExitCodeProcess(info_.hProcess, &code)) return std::nullopt;
    return code;
}

void Process::Kill() {
    if (HasEnded()) return;
    TerminateProcess(info_.hProcess, 255);
    WaitForEnd(kWindowTimeoutMs);
}

}  // namespace wine_driver
