// Entry point of the POSIX build.
#include "posix_platform.hpp"
#include "run_flow.hpp"

int main(int argc, char** argv) {
    tarvik::PosixPlatform platform(argc, argv);
    return tarvik::ExitStatus(tarvik::Main(platform));
}
