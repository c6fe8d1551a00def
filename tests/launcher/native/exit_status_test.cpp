// Decoding of std::system's result, checked against wait statuses of real child processes.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "case_name.hpp"
#include "exit_status.hpp"
#include "posix/run_program.hpp"

namespace {

struct Ending {
    const char* name;
    int exitCode;  // used when signal is 0
    int signal;
    int expected;
};

int WaitStatusOf(const Ending& e) {
    const pid_t child = fork();
    if (child == 0) {
        if (e.signal != 0) {
            ::signal(e.signal, SIG_DFL);
            raise(e.signal);
        }
        _exit(e.exitCode);
    }
    return test_support::WaitForExit(child, test_support::kRunLimit,
                                     std::string("the child that ends by ") + e.name);
}

class Decoding : public testing::TestWithParam<Ending> {};

TEST_P(Decoding, GivesTheStatusTheShellWouldShow) {
    EXPECT_EQ(norlak::ExitStatus(WaitStatusOf(GetParam())), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(ExitStatus, Decoding,
                         testing::Values(Ending{"ExitZero", 0, 0, 0}, Ending{"ExitThree", 3, 0, 3},
                                         Ending{"Exit127", 127, 0, 127},
                                         Ending{"Exit255", 255, 0, 255},
                                         Ending{"KilledByTerm", 0, SIGTERM, 128 + SIGTERM},
                                         Ending{"KilledByKill", 0, SIGKILL, 128 + SIGKILL},
                                         Ending{"KilledByHangup", 0, SIGHUP, 128 + SIGHUP},
                                         Ending{"KilledByUsr1", 0, SIGUSR1, 128 + SIGUSR1}),
                         test_support::CaseName());

TEST(ExitStatus, NoShellStartedStaysMinusOne) {
    EXPECT_EQ(norlak::ExitStatus(-1), -1);
}

}  // namespace
