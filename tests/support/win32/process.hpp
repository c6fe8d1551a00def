// A program started with an exact command line, and waits for its end that never wait longer than
// asked.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "win32_handles.hpp"

namespace test_support {

// How long a program under test may take to end once it should; only a hung one reaches it.
inline constexpr DWORD kProcessEndLimitMs = 30000;

struct ProcessOptions {
    // NAME=value strings, each ended by a NUL, the block ended by one more; the child gets these
    // and nothing else. Inherits the test's environment when empty.
    std::wstring environment;
    // Inheritable handles for the standard streams; the child inherits the test's when null.
    HANDLE input = nullptr;
    HANDLE output = nullptr;
    HANDLE error = nullptr;
    // "station\\desktop" to start the child on; the test's own when empty.
    std::wstring desktop;
};

class Process {
  public:
    // Starts `application` with `commandLine` as its whole command line (program name included)
    // in `currentDirectory`. Check Started() and Error() afterwards.
    Process(const std::wstring& application, const std::wstring& commandLine,
            const std::wstring& currentDirectory, const ProcessOptions& options = {});
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    const std::string& Error() const { return error_; }
    DWORD Id() const { return id_; }

    bool HasEnded() const;
    // Waits until the process has ended or `limit` milliseconds have passed, at most.
    bool WaitForEnd(DWORD limit) const;
    std::optional<DWORD> ExitCode() const;
    // Milliseconds from its start to its end, once it has ended.
    std::optional<DWORD> Lifetime() const;
    // Ends a process that hung, so that the next case starts clean.
    void Kill();

  private:
    tarvik::win32::unique_kernel_handle process_;
    tarvik::win32::unique_kernel_handle thread_;
    DWORD id_ = 0;
    std::string error_;
};

// What a program printed on its standard output and error, each into a file, so that the wait
// never has to drain two pipes; it shares this process's console.
struct Captured {
    bool ended = false;  // false: killed at the limit, or not started
    std::optional<DWORD> exitCode;
    std::string output, errors;
};
Captured RunCaptured(const std::wstring& application, const std::wstring& commandLine,
                     const std::wstring& currentDirectory, DWORD limit = kProcessEndLimitMs);

}  // namespace test_support
