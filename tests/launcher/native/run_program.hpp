// Starts a program in a given working directory with an exact environment, feeds its standard
// input from a string and collects its standard output, standard error and exit status.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace norlak::testing {

struct RunRequest {
    std::filesystem::path program;
    std::string programName;               // argv[0]; the program's path when empty
    std::vector<std::string> arguments;    // after the program name
    std::filesystem::path workingDirectory;
    std::vector<std::string> environment;  // NAME=value, nothing else is passed
    std::string input;
    // When not empty, the child's own process id is added to its environment under this name.
    std::string ownPidVariable;
};

struct RunResult {
    int exitStatus = -1;     // WEXITSTATUS, or -1 when the program itself died by a signal
    int killedBySignal = 0;  // the signal that ended the program, 0 if it exited
    std::string output;
    std::string error;
};

// Files for the captured streams go into `scratch`, which must exist.
RunResult RunProgram(const RunRequest& request, const std::filesystem::path& scratch);

}  // namespace norlak::testing
