// The native tool under real faults: a file size limit that stops a write half-way, two runs
// writing one file at once, an unreadable input file, a read-only tool directory. Each run keeps
// older output whole, leaves no temporary file and tells what happened.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "restricted_run.hpp"
#include "tool_sandbox.hpp"

namespace tarvik::faults {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

constexpr char kGeneral[] = "Program find a heavy error, must exist";

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
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
        e2e::ToolSandbox sandbox;
        sandbox.Write("out.cmd", "SET RETU=old\r\n");
        const ToolOutput run = RunRestricted(sandbox.directory() + "/tarvik",
                                             {"/t:\"a" + std::string(300, 'b') + "\"", "/c:\"a\"", "/o:out.cmd"},
                                             {.fileSizeLimit = c.limit, .asNobody = false});
        EXPECT_EQ(run.status, c.status) << "limit " << c.limit << "\n" << run.err;
        EXPECT_EQ(DirectoryNames(sandbox.directory()), c.names) << "limit " << c.limit;
        EXPECT_EQ(Read(sandbox.directory() + "/out.cmd"), "SET RETU=old\r\n") << "limit " << c.limit;
        EXPECT_NE(run.err.find(kGeneral), std::string::npos) << "limit " << c.limit;
    }
}

TEST(WriteFaultsOnDisk, TwoRunsAtOnceEachLeaveAWholeFile) {
    e2e::ToolSandbox sandbox;
    const std::string tool = sandbox.directory() + "/tarvik";
    const std::string values[2] = {std::string(8000, 'x'), std::string(6000, 'y')};
    for (int round = 0; round < 20; ++round) {
        pid_t children[2];
        for (int i = 0; i < 2; ++i) {
            children[i] = ::fork();
            ASSERT_GE(children[i], 0);
            if (children[i] == 0) {
                const std::string target = "/t:\"a" + values[i] + "\"";
                if (::chdir(sandbox.directory().c_str()) != 0) ::_exit(126);
                ::execl(tool.c_str(), tool.c_str(), target.c_str(), "/c:\"a\"", "/o:same.cmd", nullptr);
                ::_exit(127);
            }
        }
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        const std::string file = Read(sandbox.directory() + "/same.cmd");
        EXPECT_TRUE(file == "SET RETU=" + values[0] + "\r\n" || file == "SET RETU=" + values[1] + "\r\n")
            << "round " << round << ": " << file.size() << " bytes";
        EXPECT_EQ(DirectoryNames(sandbox.directory()), Names{"same.cmd"}) << "round " << round;
    }
}

TEST(WriteFaultsOnDisk, UnreadableFileIsAGeneralFailure) {
    if (!CanDropPrivileges()) GTEST_SKIP() << "running as root with no user nobody to drop to";
    e2e::ToolSandbox sandbox;
    sandbox.Write("f.txt", "abc\r\n");
    fs::permissions(sandbox.directory() + "/f.txt", fs::perms::none);
    const DirectoryMode writable(sandbox.directory(), fs::perms::all);
    const ToolOutput run = RunRestricted(sandbox.directory() + "/tarvik", {"/f:f.txt", "/c:\"b\"", "/e:V"},
                                         {.fileSizeLimit = std::nullopt, .asNobody = true});
    EXPECT_EQ(run.status, 19) << run.err;
    EXPECT_EQ(DirectoryNames(sandbox.directory()), (Names{"error.txt", "f.txt"}));
    EXPECT_EQ(Read(sandbox.directory() + "/error.txt"), std::string(kGeneral) + "\r\n");
}

TEST(WriteFaultsOnDisk, ReadOnlyToolDirectoryStillShowsTheMessage) {
    if (!CanDropPrivileges()) GTEST_SKIP() << "running as root with no user nobody to drop to";
    const struct {
        const char* what;
        Names before;
    } cases[] = {
        {"result not writable", {}},
        {"stale output cannot be cleared", {"Value.cmd"}},
    };
    for (const auto& c : cases) {
        e2e::ToolSandbox sandbox;
        for (const std::string& name : c.before) sandbox.Write(name, "old");
        const DirectoryMode readOnly(sandbox.directory(), fs::perms::owner_read | fs::perms::owner_exec |
                                                              fs::perms::others_read | fs::perms::others_exec);
        const ToolOutput run =
            RunRestricted(sandbox.directory() + "/tarvik", {"/t:\"ab\"", "/c:\"a\"", "/e:V"}, {.fileSizeLimit = std::nullopt, .asNobody = true});
        EXPECT_EQ(run.status, 29) << c.what << "\n" << run.err;
        EXPECT_NE(run.err.find(kGeneral), std::string::npos) << c.what;
        EXPECT_FALSE(run.out.empty()) << c.what << ": the usage follows the message";
        EXPECT_EQ(DirectoryNames(sandbox.directory()), c.before) << c.what;
    }
}

}  // namespace
}  // namespace tarvik::faults
