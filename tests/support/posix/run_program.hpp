// Starts a program with exact arguments, working directory and (optionally) environment, feeds its
// standard input from a string and captures its standard output and error through pipes, so that
// a file size limit on the program does not apply to them. Every wait has a deadline: a program
// still running then is killed and the wait throws, naming the command line.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "unique_fd.hpp"

namespace test_support {

// Far beyond what any run of the tests takes; only a hung program reaches it.
inline constexpr std::chrono::milliseconds kRunLimit{30000};

// Every member has a default, so that a designated initializer names only what a case sets.
struct RunRequest {
    std::filesystem::path program{};
    std::string programName{};             // argv[0]; the program's path when empty
    std::vector<std::string> arguments{};  // after the program name
    std::filesystem::path workingDirectory{};
    // NAME=value and nothing else; without it the program inherits the test's environment.
    std::optional<std::vector<std::string>> environment{};
    std::string input{};
    // When not empty, the child's own process id is added to its environment under this name.
    std::string ownPidVariable{};
    std::optional<unsigned long> fileSizeLimit{};  // bytes (RLIMIT_FSIZE)
    bool asNobody = false;                         // when root, drop to the user "nobody" first
    std::chrono::milliseconds limit = kRunLimit;
};

struct RunResult {
    int exitStatus = -1;     // WEXITSTATUS, or -1 when the program died by a signal
    int killedBySignal = 0;  // the signal that ended the program, 0 if it exited
    std::string output;
    std::string error;

    // What a shell shows as $?: the exit status, or 128 + the signal.
    int ShellStatus() const { return killedBySignal != 0 ? 128 + killedBySignal : exitStatus; }
};

// A started program; several may run at once. Destroying one that was not waited for kills it.
class RunningProgram {
  public:
    explicit RunningProgram(const RunRequest& request);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // Collects the output until the program ends; throws when it outlives request.limit.
    RunResult Wait();

  private:
    std::string commandLine_;
    std::chrono::milliseconds limit_{};
    std::chrono::steady_clock::time_point deadline_;
    pid_t pid_ = -1;
    tarvik::posix::unique_fd out_;
    tarvik::posix::unique_fd err_;
};

RunResult RunProgram(const RunRequest& request);

// Waits for `child` to end and returns its raw wait status. After `limit`, kills its process
// group and throws, saying it waited for `what`.
int WaitForExit(pid_t child, std::chrono::milliseconds limit, const std::string& what);

// Whether a run as "nobody" can show anything: when not root, the test user is unprivileged
// already.
bool CanDropPrivileges();

}  // namespace test_support
