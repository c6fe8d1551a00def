// Entry point of the launcher's Windows tests: takes the paths of the programs under test.
#include <gtest/gtest.h>

#include <cstdio>

#include "launcher_runner.hpp"

// Arguments left after GoogleTest's own: NORLAK.exe and the stand-in interpreter, as Windows paths.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s NORLAK.exe fake_interpreter.exe\n", argv[0]);
        return 2;
    }
    norlak::wine_tests::launcherSource = argv[1];
    norlak::wine_tests::fakeInterpreterSource = argv[2];
    return RUN_ALL_TESTS();
}
