// Entry point of the POSIX build.
#include <csignal>

#include "posix_platform.hpp"
#include "run_flow.hpp"

int main(int argc, char** argv) {
    // Past a file size limit a write should fail and be reported, not kill the run half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    tarvik::PosixPlatform platform(argc, argv);
    return tarvik::ExitStatus(tarvik::Main(platform));
}
