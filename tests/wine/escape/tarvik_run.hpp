// One run of Tarvik.exe for the round trip, with what it told the developer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "debug_output.hpp"

namespace roundtrip {

struct TarvikRun {
    bool started = false;
    std::optional<unsigned long> exitStatus;  // none when it had to be ended
    bool endedInItsWindows = false;           // it reported a failure and waited in its windows
    bool hung = false;                        // it ran past the deadline
    std::vector<std::string> debugOutput;
};

// Runs `commandLine` in `directory` until it ends. One that waits in its message box after writing
// error.txt there is ended, as is one that runs past the deadline.
TarvikRun RunTarvik(const std::wstring& program, const std::wstring& commandLine,
                    const std::wstring& directory, DebugOutput& debugOutput);

}  // namespace roundtrip
