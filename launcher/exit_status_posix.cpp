// POSIX: std::system returns a wait status of /bin/sh, which is decoded into the number the shell
// itself would have shown as $?.
#include <sys/wait.h>

#include "exit_status.hpp"

namespace norlak {

namespace {
// What shells report for a command killed by a signal.
constexpr int signalBase = 128;
}  // namespace

int ExitStatus(int systemResult) {
    if (systemResult == -1) {
        return -1;  // no shell could be started; the process then ends with 255
    }
    if (WIFSIGNALED(systemResult)) {
        return signalBase + WTERMSIG(systemResult);
    }
    // std::system waits without WUNTRACED, so any other status is a normal exit.
    return WEXITSTATUS(systemResult);
}

}  // namespace norlak
