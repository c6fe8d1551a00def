// A program started with an exact command line, and waits for its end.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "deadline.hpp"

namespace wine_driver {

class Process {
public:
    // Starts `application` with `commandLine` as its whole command line (program name included)
    // in `currentDirectory`. Check Started() and Error() afterwards.
    Process(const std::wstring& application, const std::wstring& commandLine, const std::wstring& currentDirectory);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    const std::string& Error() const { return error_; }
    DWORD Id() const { return info_.dwProcessId; }

    bool HasEnded() const;
    // Waits until the process has ended or `limit` milliseconds have passed, at most.
    bool WaitForEnd(DWORD limit) const;
    std::optional<DWORD> ExitCode() const;
    // Ends a process that hung, so that the next case starts clean.
    void Kill();

private:
    PROCESS_INFORMATION info_{};
    std::string error_;
};

}  // namespace wine_driver
