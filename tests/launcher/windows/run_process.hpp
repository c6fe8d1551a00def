// Starts a Windows program with an exact environment block and working directory, feeds its
// standard input from a string and collects standard output, standard error and the exit code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace norlak::wine_tests {

struct ProcessRequest {
    std::string program;
    std::string argumentText;  // appended to the quoted program name as typed
    std::string workingDirectory;
    std::vector<std::string> environment;  // NAME=value; the child gets these and nothing else
    std::string input;
};

struct ProcessResult {
    std::uint32_t exitCode = 0;  // the whole 32-bit value of GetExitCodeProcess
    std::string output;
    std::string error;
};

// The captured streams go through files in `ioDirectory`, which must exist.
ProcessResult RunProcess(const ProcessRequest& request, const std::string& ioDirectory);

}  // namespace norlak::wine_tests
