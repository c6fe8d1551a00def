// fork and execve with redirected standard streams; files rather than pipes keep the parent from
// having to drain two streams at once.
#include "run_program.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "scratch_dir.hpp"

namespace fs = std::filesystem;

namespace norlak::testing {

namespace {

std::vector<char*> NullTerminated(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

void RedirectOrDie(const fs::path& file, int flags, int target) {
    int fd = open(file.c_str(), flags, 0600);
    if (fd < 0 || dup2(fd, target) < 0) {
        _exit(125);
    }
    close(fd);
}

}  // namespace

RunResult RunProgram(const RunRequest& request, const fs::path& scratch) {
    const fs::path inFile = scratch / "stdin", outFile = scratch / "stdout", errFile = scratch / "stderr";
    std::ofstream(inFile, std::ios::binary) << request.input;

    std::vector<std::string> argv{request.programName.empty() ? request.program.string()
                                                              : request.programName};
    argv.insert(argv.end(), request.arguments.begin(), request.arguments.end());
    std::vector<std::string> envp = request.environment;

    // The child reports a failed exec through this pipe; a successful exec closes it.
    int status_pipe[2];
    if (pipe2(status_pipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe2 failed");
    }

    const pid_t child = fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        close(status_pipe[0]);
        RedirectOrDie(inFile, O_RDONLY, STDIN_FILENO);
        RedirectOrDie(outFile, O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO);
        RedirectOrDie(errFile, O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
        // The test process is single-threaded, so allocating after fork is safe.
        if (!request.ownPidVariable.empty()) {
            envp.push_back(request.ownPidVariable + "=" + std::to_string(getpid()));
        }
        std::vector<char*> args = NullTerminated(argv), env = NullTerminated(envp);
        int error = 0;
        if (chdir(request.workingDirectory.c_str()) == 0) {
            execve(request.program.c_str(), args.data(), env.data());
        }
        error = errno;
        (void)!write(status_pipe[1], &error, sizeof error);
        _exit(125);
    }

    close(status_pipe[1]);
    int execError = 0;
    const ssize_t got = read(status_pipe[0], &execError, sizeof execError);
    close(status_pipe[0]);

    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (got > 0) {
        throw std::runtime_error("cannot start " + request.program.string() + ": " + std::strerror(execError));
    }

    RunResult result;
    if (WIFSIGNALED(status)) {
        result.killedBySignal = WTERMSIG(status);
    } else {
        result.exitStatus = WEXITSTATUS(status);
    }
    result.output = ReadFile(outFile);
    result.error = ReadFile(errFile);
    return result;
}

}  // namespace norlak::testing
