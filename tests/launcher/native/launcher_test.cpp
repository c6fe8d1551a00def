// End-to-end tests of norlak: each case runs the built launcher, copied into a directory of its
// own, from a fresh working directory with an exact environment and a NORLAK.bat shell script.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "case_name.hpp"
#include "posix/run_program.hpp"
#include "posix/scratch_dir.hpp"

namespace fs = std::filesystem;

namespace norlak::native_tests {
namespace {

using test_support::RunProgram;
using test_support::RunRequest;
using test_support::RunResult;
using test_support::ScratchDir;
using Environment = std::vector<std::string>;

// Writes a shell script, executable unless asked otherwise, as the shell needs to run it.
void WriteScript(const fs::path& file, const std::string& text, bool executable = true) {
    test_support::WriteFile(file, text);
    fs::permissions(
        file, executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write,
        fs::perm_options::replace);
}

const char* const batchName = "NORLAK.bat";

// One case's directories: where the launcher lives, where it is started, a directory for PATH.
struct Sandbox {
    ScratchDir scratch;
    fs::path home = scratch.Subdir("home");
    fs::path work = scratch.Subdir("work");
    fs::path bin = scratch.Subdir("bin");
    fs::path launcher = home / "norlak";

    Sandbox() { fs::copy_file(NORLAK_PATH, launcher); }

    RunResult Run(RunRequest request) {
        request.program = launcher;
        request.workingDirectory = work;
        return RunProgram(request);
    }
};

struct BehaviourCase {
    const char* name;
    const char* script;  // NORLAK.bat in the working directory, found through PATH=.
    std::vector<std::string> arguments;
    std::vector<std::string> extraEnvironment;
    std::string input;
    int status;
    std::string output;
    std::string error;
};

class Behaviour : public testing::TestWithParam<BehaviourCase> {};

TEST_P(Behaviour, BatchFileRunsWithStreamsAndStatusPassedThrough) {
    const BehaviourCase& c = GetParam();
    Sandbox box;
    WriteScript(box.work / batchName, c.script);

    RunRequest request;
    request.arguments = c.arguments;
    request.environment = Environment{"PATH=."};
    request.environment->insert(request.environment->end(), c.extraEnvironment.begin(),
                                c.extraEnvironment.end());
    request.input = c.input;
    const RunResult result = box.Run(request);

    EXPECT_EQ(result.killedBySignal, 0);
    EXPECT_EQ(result.exitStatus, c.status);
    EXPECT_EQ(result.output, c.output);
    EXPECT_EQ(result.error, c.error);
}

// What the shell does with a script is its own business; the launcher's part is to hand over its
// streams and environment, not its arguments, and to pass the status back.
INSTANTIATE_TEST_SUITE_P(
    Launcher, Behaviour,
    testing::Values(BehaviourCase{"StreamsAndEnvironmentButNoArgumentsStatusBack",
                                  "#!/bin/sh\nread line\necho \"got $line\"\necho \"$#:$*\"\n"
                                  "echo \"$NORLAK_PROBE\"\necho complaint >&2\nexit 3\n",
                                  {"first", "second word", "/x", "?"},
                                  {"NORLAK_PROBE=from the caller"},
                                  "typed text\n",
                                  3,
                                  "got typed text\n0:\nfrom the caller\n",
                                  "complaint\n"},
                    // No #! line: the shell runs the file itself, as it does for any script.
                    BehaviourCase{"HighestStatusFromAScriptWithoutInterpreterLine",
                                  "echo plain\nexit 255\n",
                                  {},
                                  {},
                                  "",
                                  255,
                                  "plain\n",
                                  ""}),
    test_support::CaseName());

// Where NORLAK.bat is looked for: only along PATH, as /bin/sh looks up a name without a slash.
struct LookupCase {
    const char* name;
    bool inWork, inBin, inHome;
    const char* path;  // "BIN" stands for the case's bin directory
    int status;
    std::string output;
    std::string errorPart;
};

class Lookup : public testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, BatchFileIsFoundAlongPathOnly) {
    const LookupCase& c = GetParam();
    Sandbox box;
    // Each copy says where it lies, so the output shows which one ran.
    if (c.inWork) WriteScript(box.work / batchName, "#!/bin/sh\necho work\n");
    if (c.inBin) WriteScript(box.bin / batchName, "#!/bin/sh\necho bin\n");
    if (c.inHome) WriteScript(box.home / batchName, "#!/bin/sh\necho home\n");

    std::string path = c.path;
    if (const auto at = path.find("BIN"); at != std::string::npos) {
        path.replace(at, 3, box.bin.string());
    }
    RunRequest request;
    request.environment = Environment{"PATH=" + path};
    const RunResult result = box.Run(request);

    EXPECT_EQ(result.killedBySignal, 0);
    EXPECT_EQ(result.exitStatus, c.status);
    EXPECT_EQ(result.output, c.output);
    EXPECT_NE(result.error.find(c.errorPart), std::string::npos) << result.error;

    // The launcher adds nothing: it is indistinguishable from the shell started by hand the way
    // std::system starts it.
    RunRequest byHand = request;
    byHand.program = "/bin/sh";
    byHand.programName = "sh";
    byHand.arguments = {"-c", batchName};
    byHand.workingDirectory = box.work;
    const RunResult shell = RunProgram(byHand);
    EXPECT_EQ(result.exitStatus, shell.exitStatus);
    EXPECT_EQ(result.output, shell.output);
    EXPECT_EQ(result.error, shell.error);
}

INSTANTIATE_TEST_SUITE_P(
    Launcher, Lookup,
    testing::Values(
        LookupCase{"WorkingDirectoryOnPath", true, false, false, ".", 0, "work\n", ""},
        LookupCase{"OtherDirectoryOnPath", false, true, false, "BIN", 0, "bin\n", ""},
        LookupCase{"PathOrderDecidesBinFirst", true, true, false, "BIN:.", 0, "bin\n", ""},
        LookupCase{"PathOrderDecidesWorkFirst", true, true, false, ".:BIN", 0, "work\n", ""},
        LookupCase{"MissingEverywhere", false, false, false, ".:BIN", 127, "",
                   "NORLAK.bat: not found"},
        LookupCase{"WorkingDirectoryNotOnPath", true, false, false, "BIN", 127, "",
                   "NORLAK.bat: not found"},
        LookupCase{"LauncherDirectoryIsNotSearched", false, false, true, ".:BIN", 127, "",
                   "NORLAK.bat: not found"}),
    test_support::CaseName());

TEST(Launcher, BatchFileThatIsNotExecutableIsRefusedByTheShell) {
    Sandbox box;
    WriteScript(box.work / batchName, "#!/bin/sh\necho ran\n", false);
    RunRequest request;
    request.environment = Environment{"PATH=."};
    const RunResult result = box.Run(request);

    EXPECT_EQ(result.killedBySignal, 0);
    EXPECT_NE(result.exitStatus, 0);
    EXPECT_EQ(result.output, "");
    EXPECT_NE(result.error.find("Permission denied"), std::string::npos) << result.error;
}

// A signal either ends the batch file, and the shell that ran it reports 128 + n as its status, or
// ends the very process std::system waits for (the shell, or the batch file when the shell handed
// over to it with exec), which the launcher decodes itself.
struct SignalCase {
    const char* name;
    const char* signal;
    int number;
    bool waitedForProcess;
};

class Signal : public testing::TestWithParam<SignalCase> {};

TEST_P(Signal, EndsTheLauncherWith128PlusTheSignalNumber) {
    const SignalCase& c = GetParam();
    Sandbox box;
    const std::string kill = std::string("kill -s ") + c.signal;
    WriteScript(box.work / batchName,
                c.waitedForProcess ? "#!/bin/sh\nif [ \"$PPID\" = \"$LAUNCHER_PID\" ]; then " +
                                         kill + " $$; else " + kill + " $PPID; fi\n"
                                   : "#!/bin/sh\n" + kill + " $$\n");
    RunRequest request;
    request.environment = Environment{"PATH=."};
    request.ownPidVariable = "LAUNCHER_PID";
    const RunResult result = box.Run(request);

    EXPECT_EQ(result.killedBySignal, 0);
    EXPECT_EQ(result.exitStatus, 128 + c.number);
    EXPECT_EQ(result.output, "");
}

INSTANTIATE_TEST_SUITE_P(Launcher, Signal,
                         // Which signals decode to what, exit_status_test says; these show each
                         // path through the launcher once.
                         testing::Values(SignalCase{"BatchFileTerminated", "TERM", SIGTERM, false},
                                         SignalCase{"WaitedForProcessKilled", "KILL", SIGKILL,
                                                    true}),
                         test_support::CaseName());

}  // namespace
}  // namespace norlak::native_tests
