// fork, set up, exec; the parent drains both pipes while it waits, and never waits past the
// deadline. The test process is single-threaded, so the child may allocate after fork.
#include "posix/run_program.hpp"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace test_support {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;
using tarvik::posix::unique_fd;

struct Pipe {
    unique_fd read, write;
};

Pipe MakePipe() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
    return {unique_fd(ends[0]), unique_fd(ends[1])};
}

std::vector<char*> NullTerminated(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

std::string Quoted(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) line += (line.empty() ? "'" : " '") + word + "'";
    return line;
}

// What the child tells the parent when it cannot get as far as exec.
struct StartFailure {
    const char* step;
    int error;
};

[[noreturn]] void ChildFails(int reportFd, const char* step) {
    const StartFailure failure{step, errno};
    (void)!write(reportFd, &failure, sizeof failure);
    _exit(125);
}

[[noreturn]] void RunChild(const RunRequest& request, std::vector<std::string> argv, int input,
                           Pipe& out, Pipe& err, int reportFd) {
    setpgid(0, 0);  // its own group, so that a hung run is killed with all it started
    if (dup2(input, STDIN_FILENO) < 0 || dup2(out.write.get(), STDOUT_FILENO) < 0 ||
        dup2(err.write.get(), STDERR_FILENO) < 0) {
        ChildFails(reportFd, "dup2");
    }
    out.read.reset();
    err.read.reset();
    std::vector<std::string> envp;
    if (request.environment) {
        envp = *request.environment;
    } else {
        for (char** variable = environ; *variable != nullptr; ++variable)
            envp.emplace_back(*variable);
    }
    if (!request.ownPidVariable.empty()) {
        envp.push_back(request.ownPidVariable + "=" + std::to_string(getpid()));
    }
    if (request.fileSizeLimit) {
        const rlimit limit{*request.fileSizeLimit, *request.fileSizeLimit};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) ChildFails(reportFd, "setrlimit");
    }
    if (request.asNobody && geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (nobody == nullptr) ChildFails(reportFd, "getpwnam nobody");
        if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
            setuid(nobody->pw_uid) != 0) {
            ChildFails(reportFd, "dropping privileges");
        }
    }
    if (!request.workingDirectory.empty() && chdir(request.workingDirectory.c_str()) != 0) {
        ChildFails(reportFd, "chdir");
    }
    std::vector<char*> args = NullTerminated(argv), env = NullTerminated(envp);
    execve(request.program.c_str(), args.data(), env.data());
    ChildFails(reportFd, "execve");
}

[[noreturn]] void KillAndThrow(pid_t child, milliseconds limit, const std::string& what) {
    kill(-child, SIGKILL);
    kill(child, SIGKILL);
    int ignored = 0;
    while (waitpid(child, &ignored, 0) < 0 && errno == EINTR) {
    }
    throw std::runtime_error("gave up after " + std::to_string(limit.count()) + " ms waiting for " +
                             what + "; killed it");
}

int WaitUntil(pid_t child, steady_clock::time_point deadline, milliseconds limit,
              const std::string& what) {
    for (milliseconds pause(1);; pause = std::min(pause * 2, milliseconds(20))) {
        int status = 0;
        const pid_t got = waitpid(child, &status, WNOHANG);
        if (got == child) return status;
        if (got < 0 && errno != EINTR) throw std::runtime_error("waitpid failed for " + what);
        if (steady_clock::now() >= deadline) KillAndThrow(child, limit, what);
        std::this_thread::sleep_for(pause);
    }
}

}  // namespace

RunningProgram::RunningProgram(const RunRequest& request) {
    std::vector<std::string> argv{request.programName.empty() ? request.program.string()
                                                              : request.programName};
    argv.insert(argv.end(), request.arguments.begin(), request.arguments.end());
    commandLine_ = Quoted(argv);
    limit_ = request.limit;
    deadline_ = steady_clock::now() + request.limit;

    Pipe out = MakePipe(), err = MakePipe(), report = MakePipe();
    // Input from an unlinked file: the program may read as little of it as it likes.
    std::FILE* input = std::tmpfile();
    if (input == nullptr) throw std::runtime_error("tmpfile failed");
    std::fwrite(request.input.data(), 1, request.input.size(), input);
    std::fflush(input);
    std::rewind(input);

    pid_ = fork();
    if (pid_ == 0) RunChild(request, argv, fileno(input), out, err, report.write.get());
    std::fclose(input);
    out.write.reset();
    err.write.reset();
    report.write.reset();
    out_ = std::move(out.read);
    err_ = std::move(err.read);
    if (pid_ < 0) throw std::runtime_error("fork failed");
    // Closed by a successful exec, or it brings the reason the program did not start.
    StartFailure failure{};
    ssize_t got = 0;
    while ((got = read(report.read.get(), &failure, sizeof failure)) < 0 && errno == EINTR) {
    }
    report.read.reset();
    if (got > 0) {
        Wait();
        throw std::runtime_error("cannot start " + commandLine_ + ": " + failure.step + ": " +
                                 std::strerror(failure.error));
    }
}

RunningProgram::~RunningProgram() {
    if (pid_ > 0) {
        kill(-pid_, SIGKILL);
        kill(pid_, SIGKILL);
        int ignored = 0;
        while (waitpid(pid_, &ignored, 0) < 0 && errno == EINTR) {
        }
    }
}

RunResult RunningProgram::Wait() {
    RunResult result;
    unique_fd* const fds[2] = {&out_, &err_};
    std::string* const sinks[2] = {&result.output, &result.error};
    int status = 0;
    bool ended = false;
    while (out_ || err_) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline_ - steady_clock::now());
        if (left.count() <= 0) {
            const pid_t child = pid_;
            pid_ = -1;
            KillAndThrow(child, limit_, "the end of " + commandLine_);
        }
        pollfd polled[2] = {{out_.get(), POLLIN, 0}, {err_.get(), POLLIN, 0}};
        // Once the program has ended, only what is already in the pipes counts: something it
        // started may hold them open. Until then look again now and then whether it has ended.
        const int timeout = ended ? 0 : static_cast<int>(std::min<long long>(left.count(), 50));
        const int ready = poll(polled, 2, timeout);
        if (ready < 0 && errno != EINTR) throw std::runtime_error("poll failed");
        if (ready == 0 && ended) break;
        for (int i = 0; i < 2; ++i) {
            if (polled[i].fd < 0 || polled[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t got = read(polled[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                fds[i]->reset();
            }
        }
        if (!ended) ended = waitpid(pid_, &status, WNOHANG) == pid_;
    }
    const pid_t child = pid_;
    pid_ = -1;
    if (!ended) status = WaitUntil(child, deadline_, limit_, "the end of " + commandLine_);
    if (WIFSIGNALED(status)) {
        result.killedBySignal = WTERMSIG(status);
    } else {
        result.exitStatus = WEXITSTATUS(status);
    }
    return result;
}

RunResult RunProgram(const RunRequest& request) {
    return RunningProgram(request).Wait();
}

int WaitForExit(pid_t child, milliseconds limit, const std::string& what) {
    return WaitUntil(child, steady_clock::now() + limit, limit, what);
}

bool CanDropPrivileges() {
    return geteuid() != 0 || getpwnam("nobody") != nullptr;
}

}  // namespace test_support
