// Which interpreter NORLAK.exe starts, with what, and which status comes back: COMSPEC, the
// fallback cmd.exe from the working directory or along PATH, and no interpreter at all. A stand-in
// interpreter shows its own path and arguments and ends with any 32-bit status.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "case_name.hpp"
#include "launcher_runner.hpp"

namespace norlak::wine_tests {
namespace {

enum class Ran { Nothing, StandInComspec, WorkCmd, BinCmd, BatchThroughRealCmd };

struct InterpreterCase {
    const char* name;
    bool comspecIsStandIn;  // otherwise COMSPEC is not set at all
    bool standInCmdInWork, standInCmdInBin;
    bool systemDirectoryOnPath;
    const char* standInStatus;
    std::uint32_t status;
    Ran ran;
};

class Interpreter : public testing::TestWithParam<InterpreterCase> {};

TEST_P(Interpreter, IsChosenAndItsStatusPassedThrough) {
    const InterpreterCase& c = GetParam();
    Sandbox box(launcherSource);
    WriteFile(box.work + "\\NORLAK.bat", "@echo batch ran\r\n");
    const std::string standIn = box.bin + "\\standin.exe";
    CopyFileOrThrow(fakeInterpreterSource, standIn);
    if (c.standInCmdInWork) CopyFileOrThrow(fakeInterpreterSource, box.work + "\\cmd.exe");
    if (c.standInCmdInBin) CopyFileOrThrow(fakeInterpreterSource, box.bin + "\\cmd.exe");

    std::vector<std::string> environment = {
        "PATH=" + box.bin + (c.systemDirectoryOnPath ? ";" + SystemDirectory() : ""),
        std::string("FAKE_INTERPRETER_STATUS=") + c.standInStatus};
    if (c.comspecIsStandIn) environment.push_back("COMSPEC=" + standIn);

    // The arguments must not reach the interpreter: it always gets "/c NORLAK.bat".
    const ProcessResult result = RunLauncher(box, environment, "extra /c arguments");

    std::string expected;
    switch (c.ran) {
        case Ran::Nothing:
            break;
        case Ran::StandInComspec:
            expected = standIn + "|/c NORLAK.bat\r\n";
            break;
        case Ran::WorkCmd:
            expected = box.work + "\\cmd.exe|/c NORLAK.bat\r\n";
            break;
        case Ran::BinCmd:
            expected = box.bin + "\\cmd.exe|/c NORLAK.bat\r\n";
            break;
        case Ran::BatchThroughRealCmd:
            expected = "batch ran\r\n";
            break;
    }
    EXPECT_EQ(result.exitCode, c.status);
    EXPECT_EQ(result.output, expected);
    EXPECT_EQ(result.error, "");
}

INSTANTIATE_TEST_SUITE_P(
    Launcher, Interpreter,
    testing::Values(
        InterpreterCase{"ComspecIsStarted", true, false, false, true, "0", 0, Ran::StandInComspec},
        InterpreterCase{"ComspecBeforeCmdInWorkingDirectory", true, true, false, true, "0", 0,
                        Ran::StandInComspec},
        InterpreterCase{"StatusThree", true, false, false, true, "3", 3, Ran::StandInComspec},
        InterpreterCase{"StatusUsesAll32Bits", true, false, false, true, "305419896", 305419896u,
                        Ran::StandInComspec},
        InterpreterCase{"StatusMinusOneFromInterpreter", true, false, false, true, "4294967295",
                        0xFFFFFFFFu, Ran::StandInComspec},
        InterpreterCase{"NoComspecRealCmdAlongPath", false, false, false, true, "0", 0,
                        Ran::BatchThroughRealCmd},
        InterpreterCase{"NoComspecCmdFromWorkingDirectory", false, true, false, false, "7", 7,
                        Ran::WorkCmd},
        InterpreterCase{"NoComspecCmdAlongPath", false, false, true, false, "7", 7, Ran::BinCmd},
        InterpreterCase{"NoComspecWorkingDirectoryBeforePath", false, true, true, false, "7", 7,
                        Ran::WorkCmd},
        InterpreterCase{"NoInterpreterAtAll", false, false, false, false, "0", 0xFFFFFFFFu,
                        Ran::Nothing}),
    test_support::CaseName());

}  // namespace
}  // namespace norlak::wine_tests
