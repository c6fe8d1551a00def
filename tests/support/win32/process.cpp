// CreateProcessW with the command line exactly as given.
#include "win32/process.hpp"

#include "win32/scratch_dir.hpp"

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
    std::wstring desktop = options.desktop;
    if (!desktop.empty()) startup.lpDesktop = desktop.data();
    std::wstring writable = commandLine;  // CreateProcessW may write into its command line
    std::wstring environment = options.environment;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(application.c_str(), writable.data(), nullptr, nullptr, redirected,
                        environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT,
                        environment.empty() ? nullptr : environment.data(),
                        currentDirectory.c_str(), &startup, &info)) {
        error_ = "CreateProcessW failed with error " + std::to_string(GetLastError());
        return;
    }
    process_.reset(info.hProcess);
    thread_.reset(info.hThread);
    id_ = info.dwProcessId;
}

bool Process::HasEnded() const {
    return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
}

bool Process::WaitForEnd(DWORD limit) const {
    return WaitForSingleObject(process_.get(), limit) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
    DWORD code = 0;
    if (!HasEnded() || !GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
    return code;
}

std::optional<DWORD> Process::Lifetime() const {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!HasEnded() || !GetProcessTimes(process_.get(), &created, &exited, &kernel, &user))
        return std::nullopt;
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<DWORD>((ticks(exited) - ticks(created)) / 10000);
}

void Process::Kill() {
    if (HasEnded()) return;
    TerminateProcess(process_.get(), 255);
    WaitForEnd(kProcessEndLimitMs);
}

Captured RunCaptured(const std::wstring& application, const std::wstring& commandLine,
                     const std::wstring& currentDirectory, DWORD limit) {
    const ScratchDir io;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const auto open = [&](const wchar_t* name) {
        return tarvik::win32::unique_hfile(
            CreateFileW((io.Path() + L"\\" + name).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                        &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    Captured captured;
    {
        const auto output = open(L"out"), errors = open(L"err");
        ProcessOptions options;
        options.output = output.get();
        options.error = errors.get();
        Process process(application, commandLine, currentDirectory, options);
        captured.ended = process.Started() && process.WaitForEnd(limit);
        if (!captured.ended) process.Kill();
        captured.exitCode = process.ExitCode();
    }
    captured.output = ReadBytes(io.Path() + L"\\out");
    captured.errors = ReadBytes(io.Path() + L"\\err");
    return captured;
}

}  // namespace test_support
