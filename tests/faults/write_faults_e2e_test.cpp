// The native tool under real faults: a file size limit that stops a write half-way, two runs
// writing one file at once, an unreadable input file, a read-only tool directory. Each run keeps
// older output whole, leaves no temporary file and tells what happened.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "golden_texts.hpp"
#include "posix/run_program.hpp"
#include "posix/tool_sandbox.hpp"

namespace tarvik::faults {
namespace {

namespace fs = std::filesystem;
using golden::kGeneralFailure;
using test_support::ReadFile;
using test_support::ToolRun;
using test_support::ToolSandbox;
using Names = std::vector<std::string>;

Names NamesOf(const test_support::Files& files) {
    Names names;
    for (const auto& [name, bytes] : files) names.push_back(name);
    return names;
}

// Gives the tool directory a mode for the test and restores it, so the sandbox can be removed.
class DirectoryMode {
  public:
    DirectoryMode(const std::string& directory, fs::perms perms) : directory_(directory) {
        fs::permissions(directory_, perms);
    }
    ~DirectoryMode() { fs::permissions(directory_, fs::perms::owner_all); }
    DirectoryMode(const DirectoryMode&) = delete;
    DirectoryMode& operator=(const DirectoryMode&) = delete;

  private:
    std::string directory_;
};

TEST(WriteFaultsOnDisk, SizeLimitKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const struct {
        unsigned long limit;
        int status;
        Names names;  // in the tool directory afterwards
    } cases[] = {
        // The result (over 300 bytes) fails half-way; the report (40 bytes) fits.
        {100, 19, {"error.txt", "out.cmd"}},
        // Neither fits: the message is still shown and the status says the report is missing.
        {10, 29, {"out.cmd"}},
    };
    for (const auto& c : cases) {
        ToolSandbox sandbox;
        sandbox.Write("out.cmd", "SET RETU=old\r\n");
        const ToolRun run =
            sandbox.Run({"/t:\"a" + std::string(300, 'b') + "\"", "/c:\"a\"", "/o:out.cmd"},
                        {.fileSizeLimit = c.limit});
        EXPECT_EQ(run.status, c.status) << "limit " << c.limit << "\n" << run.err;
        EXPECT_EQ(NamesOf(run.files), c.names) << "limit " << c.limit;
        EXPECT_EQ(run.files.at("out.cmd"), "SET RETU=old\r\n") << "limit " << c.limit;
        EXPECT_NE(run.err.find(kGeneralFailure), std::string::npos) << "limit " << c.limit;
    }
}

TEST(WriteFaultsOnDisk, TwoRunsAtOnceEachLeaveAWholeFile) {
    ToolSandbox sandbox;
    const std::string values[2] = {std::string(8000, 'x'), std::string(6000, 'y')};
    for (int round = 0; round < 20; ++round) {
        std::vector<std::unique_ptr<test_support::RunningProgram>> runs;
        for (const std::string& value : values) {
            runs.push_back(std::make_unique<test_support::RunningProgram>(test_support::RunRequest{
                .program = sandbox.tool(),
                .arguments = {"/t:\"a" + value + "\"", "/c:\"a\"", "/o:same.cmd"},
                .workingDirectory = sandbox.directory()}));
        }
        for (const auto& run : runs) {
            const test_support::RunResult result = run->Wait();
            EXPECT_EQ(result.ShellStatus(), 0) << "round " << round << "\n" << result.error;
        }
        const std::string file = ReadFile(sandbox.directory() + "/same.cmd");
        EXPECT_TRUE(file == "SET RETU=" + values[0] + "\r\n" ||
                    file == "SET RETU=" + values[1] + "\r\n")
            << "round " << round << ": " << file.size() << " bytes";
        EXPECT_EQ(NamesOf(sandbox.Contents()), Names{"same.cmd"}) << "round " << round;
    }
}

TEST(WriteFaultsOnDisk, UnreadableFileIsAGeneralFailure) {
    if (!test_support::CanDropPrivileges())
        GTEST_SKIP() << "running as root with no user nobody to drop to";
    ToolSandbox sandbox;
    sandbox.Write("f.txt", "abc\r\n");
    fs::permissions(sandbox.directory() + "/f.txt", fs::perms::none);
    const DirectoryMode writable(sandbox.directory(), fs::perms::all);
    const ToolRun run = sandbox.Run({"/f:f.txt", "/c:\"b\"", "/e:V"}, {.asNobody = true});
    EXPECT_EQ(run.status, 19) << run.err;
    EXPECT_EQ(NamesOf(run.files), (Names{"error.txt", "f.txt"}));
    EXPECT_EQ(run.files.at("error.txt"), std::string(kGeneralFailure) + "\r\n");
}

TEST(WriteFaultsOnDisk, ReadOnlyToolDirectoryStillShowsTheMessage) {
    if (!test_support::CanDropPrivileges())
        GTEST_SKIP() << "running as root with no user nobody to drop to";
    const struct {
        const char* what;
        Names before;
    } cases[] = {
        {"result not writable", {}},
        {"stale output cannot be cleared", {"Value.cmd"}},
    };
    for (const auto& c : cases) {
        ToolSandbox sandbox;
        for (const std::string& name : c.before) sandbox.Write(name, "old");
        const DirectoryMode readOnly(sandbox.directory(),
                                     fs::perms::owner_read | fs::perms::owner_exec |
                                         fs::perms::others_read | fs::perms::others_exec);
        const ToolRun run = sandbox.Run({"/t:\"ab\"", "/c:\"a\"", "/e:V"}, {.asNobody = true});
        EXPECT_EQ(run.status, 29) << c.what << "\n" << run.err;
        EXPECT_NE(run.err.find(kGeneralFailure), std::string::npos) << c.what;
        EXPECT_FALSE(run.out.empty()) << c.what << ": the usage follows the message";
        EXPECT_EQ(NamesOf(run.files), c.before) << c.what;
    }
}

}  // namespace
}  // namespace tarvik::faults
