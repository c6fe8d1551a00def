// fork, restrict, exec; the parent drains both pipes before it waits.
#include "restricted_run.hpp"

#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace tarvik::faults {
namespace {

[[noreturn]] void Fail(const char* what) { throw std::runtime_error(what); }

void Drain(int outFd, int errFd, ToolOutput& output) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&output.out, &output.err};
    int open = 2;
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) Fail("poll");
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

}  // namespace

bool CanDropPrivileges() { return ::geteuid() != 0 || ::getpwnam("nobody") != nullptr; }

ToolOutput RunRestricted(const std::string& tool, const std::vector<std::string>& arguments,
                         const Restrictions& restrictions) {
    std::vector<char*> argv{const_cast<char*>(tool.c_str())};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const std::string directory = std::filesystem::path(tool).parent_path().string();
    const passwd* nobody = ::getpwnam("nobody");
    const bool drop = restrictions.asNobody && ::geteuid() == 0;
    if (drop && nobody == nullptr) Fail("no user nobody");

    int out[2];
    int err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) Fail("pipe");
    const pid_t pid = ::fork();
    if (pid < 0) Fail("fork");
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::close(out[0]);
        ::close(err[0]);
        if (restrictions.fileSizeLimit) {
            const rlimit limit{*restrictions.fileSizeLimit, *restrictions.fileSizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(125);
        }
        if (drop && (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)) {
            ::_exit(126);
        }
        if (::chdir(directory.c_str()) != 0) ::_exit(126);
        ::execv(tool.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    ToolOutput output;
    Drain(out[0], err[0], output);
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) Fail("waitpid");
    output.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return output;
}

std::vector<std::string> DirectoryNames(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        if (name != "tarvik") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tarvik::faults
