// NORLAK.exe running a real NORLAK.bat through cmd.exe: streams, arguments, environment, exit
// status, and where the interpreter finds the batch file.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "case_name.hpp"
#include "launcher_runner.hpp"
#include "win32/wine_difference.hpp"

namespace norlak::wine_tests {
namespace {

std::vector<std::string> CmdEnvironment(const std::string& extraPath = "") {
    return {"COMSPEC=" + RealInterpreter(), "PATH=" + SystemDirectory() + extraPath};
}

struct BehaviourCase {
    const char* name;
    const char* batch;  // NORLAK.bat in the working directory
    const char* arguments;
    std::vector<std::string> extraEnvironment;
    std::string input;
    std::uint32_t status;
    std::string output;
    std::string error;
};

class Behaviour : public testing::TestWithParam<BehaviourCase> {};

TEST_P(Behaviour, BatchFileRunsWithStreamsAndStatusPassedThrough) {
    const BehaviourCase& c = GetParam();
    Sandbox box(launcherSource);
    WriteFile(box.work + "\\NORLAK.bat", c.batch);
    std::vector<std::string> environment = CmdEnvironment();
    environment.insert(environment.end(), c.extraEnvironment.begin(), c.extraEnvironment.end());

    const ProcessResult result = RunLauncher(box, environment, c.arguments, c.input);

    EXPECT_EQ(result.exitCode, c.status);
    EXPECT_EQ(result.output, c.output);
    EXPECT_EQ(result.error, c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Launcher, Behaviour,
    testing::Values(
        // What cmd does with the file is its own business; the launcher's part is to hand over
        // its streams and environment, not its arguments, and to pass the status back.
        BehaviourCase{"StreamsAndEnvironmentButNoArgumentsStatusBack",
                      "@set /p line=\r\n@echo got %line%\r\n@echo [%1][%*]\r\n"
                      "@echo %NORLAK_PROBE%\r\n@echo complaint>&2\r\n@exit /b 3\r\n",
                      "one \"two three\" /x ?",
                      {"NORLAK_PROBE=from the caller"},
                      "typed text\r\n",
                      3,
                      "got typed text\r\n[][]\r\nfrom the caller\r\n",
                      "complaint\r\n"},
        BehaviourCase{"StatusAbove255", "@exit /b 300\r\n", "", {}, "", 300, "", ""},
        // Cannot be told apart from "no interpreter started"; both end the launcher with -1.
        BehaviourCase{"StatusMinusOne", "@exit /b -1\r\n", "", {}, "", 0xFFFFFFFFu, "", ""}),
    test_support::CaseName());

// cmd.exe looks for a name without a directory in the working directory first, then along PATH;
// the launcher's own directory (home) plays no part.
struct LookupCase {
    const char* name;
    bool inWork, inBin, inHome;
    bool binOnPath;
    std::uint32_t status;
    std::string output;
    std::string errorPart;
};

class Lookup : public testing::TestWithParam<LookupCase> {};

// Status of cmd.exe for a command it cannot find.
constexpr std::uint32_t notFound = 9009;

TEST_P(Lookup, BatchFileIsFoundFromWorkingDirectoryThenPath) {
    const LookupCase& c = GetParam();
    Sandbox box(launcherSource);
    // Each copy says where it lies, so the output shows which one ran.
    if (c.inWork) WriteFile(box.work + "\\NORLAK.bat", "@echo work\r\n");
    if (c.inBin) WriteFile(box.bin + "\\NORLAK.bat", "@echo bin\r\n");
    if (c.inHome) WriteFile(box.home + "\\NORLAK.bat", "@echo home\r\n");

    const std::vector<std::string> environment = CmdEnvironment(c.binOnPath ? ";" + box.bin : "");
    const ProcessResult result = RunLauncher(box, environment);

    EXPECT_EQ(result.exitCode, c.status);
    EXPECT_EQ(result.output, c.output);
    EXPECT_NE(result.error.find(c.errorPart), std::string::npos) << result.error;

    // The launcher adds nothing: it is indistinguishable from the interpreter started by hand.
    const ProcessResult byHand = RunInSandbox(box, RealInterpreter(), environment, "/c NORLAK.bat");
    EXPECT_EQ(result.exitCode, byHand.exitCode);
    EXPECT_EQ(result.output, byHand.output);
    EXPECT_EQ(result.error, byHand.error);
}

INSTANTIATE_TEST_SUITE_P(
    Launcher, Lookup,
    testing::Values(
        LookupCase{"WorkingDirectory", true, false, false, false, 0, "work\r\n", ""},
        LookupCase{"SearchPath", false, true, false, true, 0, "bin\r\n", ""},
        LookupCase{"WorkingDirectoryBeforeSearchPath", true, true, false, true, 0, "work\r\n", ""},
        LookupCase{"MissingEverywhere", false, false, false, true, notFound, "", "NORLAK.bat"},
        LookupCase{"LauncherDirectoryIsNotSearched", false, false, true, true, notFound, "",
                   "NORLAK.bat"}),
    test_support::CaseName());

// The 32-bit launcher on 64-bit Windows starts the 32-bit cmd (COMSPEC's system32 is SysWOW64 for
// it), which runs the batch file as the 64-bit one would; only a 32-bit program sees Sysnative.
TEST(Launcher, ThirtyTwoBitCmdOnSixtyFourBitWindows) {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64)
        GTEST_SKIP() << "not a 32-bit program on 64-bit Windows";
    Sandbox box(launcherSource);
    WriteFile(
        box.work + "\\NORLAK.bat",
        "@if exist %SystemRoot%\\Sysnative\\cmd.exe (echo 32-bit cmd) else echo 64-bit cmd\r\n"
        "@exit /b 3\r\n");
    const ProcessResult result = RunLauncher(box, CmdEnvironment());
    EXPECT_EQ(result.exitCode, 3u);
    EXPECT_EQ(result.output, "32-bit cmd\r\n");
}

// COMSPEC naming a missing file: the C runtime falls back to cmd.exe along PATH on Windows.
TEST(Launcher, ComspecNamingAMissingFileFallsBackToCmd) {
    Sandbox box(launcherSource);
    WriteFile(box.work + "\\NORLAK.bat", "@echo batch ran\r\n");
    const ProcessResult result =
        RunLauncher(box, {"COMSPEC=" + box.bin + "\\missing.exe", "PATH=" + SystemDirectory()});
    const bool fellBack = result.exitCode == 0 && result.output == "batch ran\r\n";
    if (!fellBack && !test_support::FailsTheRun("COMSPEC naming a missing file",
                                                "Wine's C runtime does not fall back to cmd.exe",
                                                "status " + std::to_string(result.exitCode)))
        return;
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, "batch ran\r\n");
}

}  // namespace
}  // namespace norlak::wine_tests
