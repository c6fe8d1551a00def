// Hostile input to the native tool: every case ends in the report the tool gives for it, leaves
// nothing half-written and never crashes.
#include <gtest/gtest.h>

#include "tool_sandbox.hpp"

namespace tarvik::faults {
namespace {

using e2e::Files;

constexpr char kGeneral[] = "Program find a heavy error, must exist\r\n";

struct BadInput {
    const char* what;
    std::vector<std::string> arguments;
    Files before;  // besides the tool; "<directory>" makes a directory
    int status;
    Files after;  // "{dir}" stands for the tool directory
};

class HostileInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(HostileInput, EndsInItsReport) {
    const BadInput& c = GetParam();
    e2e::ToolSandbox sandbox;
    for (const auto& [name, bytes] : c.before) {
        if (bytes == "<directory>") {
            sandbox.MakeDirectory(name);
        } else {
            sandbox.Write(name, bytes);
        }
    }
    const e2e::RunResult run = sandbox.Run(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.Describe();
    Files after = c.after;
    for (auto& [name, bytes] : after) {
        if (const auto at = bytes.find("{dir}"); at != std::string::npos) bytes.replace(at, 5, sandbox.directory());
    }
    EXPECT_EQ(run.files, after) << c.what << "\n" << run.Describe();
}

const std::string kInvalidUtf8 = "x\ncaf\xE9 & 100%\xFF\n";
constexpr char kBinaryBytes[] = "\x7F" "ELF\x02\x01\x01\0\0\0\x03\0>\0\x01\0\0\0a\0b\x1A\xFF\n\0\0";
const std::string kBinary(kBinaryBytes, sizeof kBinaryBytes - 1);

INSTANTIATE_TEST_SUITE_P(
    Files, HostileInput,
    ::testing::Values(
        BadInput{"invalid UTF-8 is written back with its bytes",
                 {"/f:f.txt", "/c:\"caf\"", "/e:V"},
                 {{"f.txt", kInvalidUtf8}},
                 0,
                 {{"f.txt", kInvalidUtf8}, {"Value.cmd", "SET V=\xE9 ^& 100%%\xFF\r\n"}}},
        BadInput{"a binary line holding NUL cannot be carried",
                 {"/f:f.bin", "/c:\"ELF\"", "/e:V"},
                 {{"f.bin", kBinary}},
                 19,
                 {{"f.bin", kBinary}, {"error.txt", kGeneral}}},
        BadInput{"a binary file without the compare string",
                 {"/f:f.bin", "/c:\"zzz\"", "/e:V"},
                 {{"f.bin", kBinary}},
                 1,
                 {{"f.bin", kBinary}, {"error.txt", "Could not find:\r\nzzz\r\nin the file:f.bin\r\n"}}},
        BadInput{"/F: naming a directory is no file",
                 {"/f:sub", "/c:\"a\""},
                 {{"sub", "<directory>"}},
                 11,
                 {{"sub", "<directory>"}, {"error.txt", "Could not find the file:\r\nsub\r\nin the path:{dir}\r\n"}}},
        BadInput{"a compare string longer than the target",
                 {"/t:\"ab\"", "/c:\"abc\"", "/e:V"},
                 {},
                 1,
                 {{"error.txt", "Could not find:\r\nabc\r\nin string:ab\r\n"}}}));

// Command lines of 32767 characters, the most a Windows command line holds.
// `before` + a quoted run of x ending in Q + `after`, joined with a space as the tool joins them.
std::vector<std::string> LongCommandLine(const std::string& before, const std::string& after) {
    const std::size_t fill = 32767 - before.size() - 3 - (after.empty() ? 0 : after.size() + 1);
    std::vector<std::string> arguments{before + "\"" + std::string(fill, 'x') + "Q\""};
    if (!after.empty()) arguments.push_back(after);
    return arguments;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, HostileInput,
    ::testing::Values(BadInput{"a key beyond position 32764 overflows",
                               LongCommandLine("/t:", "/c:"),
                               {},
                               19,
                               {{"error.txt", kGeneral}}},
                      BadInput{"a value too long for one batch line",
                               LongCommandLine("/c:\"x\" /e:V /t:", ""),
                               {},
                               19,
                               {{"error.txt", kGeneral}}},
                      BadInput{"a short slice of the longest line",
                               LongCommandLine("/c:\"Q\" /s:-4 /l:3 /t:", ""),
                               {},
                               0,
                               {{"Value.cmd", "SET RETU=xxx\r\n"}}}));

}  // namespace
}  // namespace tarvik::faults
