// Hostile input to the native tool: every case ends in the report the tool gives for it, leaves
// nothing half-written and never crashes.
#include <gtest/gtest.h>

#include "case_name.hpp"
#include "fill.hpp"
#include "posix/tool_sandbox.hpp"

namespace tarvik::faults {
namespace {

using test_support::Files;

const std::string kGeneralReport = golden::Report(golden::kGeneralFailure);

struct BadInput {
    const char* name;
    std::vector<std::string> arguments;
    Files before;  // besides the tool; "<directory>" makes a directory
    int status;
    Files after;  // "{dir}" stands for the tool directory
};

class HostileInput : public testing::TestWithParam<BadInput> {};

TEST_P(HostileInput, EndsInItsReport) {
    const BadInput& c = GetParam();
    test_support::ToolSandbox sandbox;
    for (const auto& [name, bytes] : c.before) {
        if (bytes == "<directory>") {
            sandbox.MakeDirectory(name);
        } else {
            sandbox.Write(name, bytes);
        }
    }
    const test_support::ToolRun run = sandbox.Run(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.Describe();
    Files after = c.after;
    for (auto& [name, bytes] : after) {
        if (const auto at = bytes.find("{dir}"); at != std::string::npos)
            bytes.replace(at, 5, sandbox.directory());
    }
    EXPECT_EQ(run.files, after) << c.name << "\n" << run.Describe();
}

const std::string kInvalidUtf8 = "x\ncaf\xE9 & 100%\xFF\n";
constexpr char kBinaryBytes[] =
    "\x7F"
    "ELF\x02\x01\x01\0\0\0\x03\0>\0\x01\0\0\0a\0b\x1A\xFF\n\0\0";
const std::string kBinary(kBinaryBytes, sizeof kBinaryBytes - 1);

INSTANTIATE_TEST_SUITE_P(
    Files, HostileInput,
    testing::Values(
        BadInput{"invalid_utf_8_is_read_as_latin_1",
                 {"/f:f.txt", "/c:\"caf\"", "/e:V"},
                 {{"f.txt", kInvalidUtf8}},
                 0,
                 {{"f.txt", kInvalidUtf8}, {"Value.cmd", "SET V=\xC3\xA9 ^& 100%%\xC3\xBF\r\n"}}},
        BadInput{"a_binary_line_holding_nul_cannot_be_carried",
                 {"/f:f.bin", "/c:\"ELF\"", "/e:V"},
                 {{"f.bin", kBinary}},
                 19,
                 {{"f.bin", kBinary}, {"error.txt", kGeneralReport}}},
        BadInput{"a_binary_file_without_the_compare_string",
                 {"/f:f.bin", "/c:\"zzz\"", "/e:V"},
                 {{"f.bin", kBinary}},
                 1,
                 {{"f.bin", kBinary},
                  {"error.txt", golden::Report(golden::kNotFoundInFile,
                                               {{"compare", "zzz"}, {"file", "f.bin"}})}}},
        BadInput{"f_naming_a_directory_is_no_file",
                 {"/f:sub", "/c:\"a\""},
                 {{"sub", "<directory>"}},
                 11,
                 {{"sub", "<directory>"},
                  {"error.txt", golden::Report(golden::kFileNotFound, {{"file", "sub"}})}}},
        BadInput{"a_compare_string_longer_than_the_target",
                 {"/t:\"ab\"", "/c:\"abc\"", "/e:V"},
                 {},
                 1,
                 {{"error.txt", golden::Report(golden::kNotFoundInString,
                                               {{"compare", "abc"}, {"target", "ab"}})}}}),
    test_support::CaseName());

// Command lines of 32767 characters, the most a Windows command line holds.
// `before` + a quoted run of x ending in Q + `after`, joined with a space as the tool joins them.
std::vector<std::string> LongCommandLine(const std::string& before, const std::string& after) {
    const std::size_t fill = 32767 - before.size() - 3 - (after.empty() ? 0 : after.size() + 1);
    std::vector<std::string> arguments{before + "\"" + std::string(fill, 'x') + "Q\""};
    if (!after.empty()) arguments.push_back(after);
    return arguments;
}

INSTANTIATE_TEST_SUITE_P(CommandLines, HostileInput,
                         testing::Values(BadInput{"a_key_beyond_position_32764_overflows",
                                                  LongCommandLine("/t:", "/c:"),
                                                  {},
                                                  19,
                                                  {{"error.txt", kGeneralReport}}},
                                         BadInput{"a_value_too_long_for_one_batch_line",
                                                  LongCommandLine("/c:\"x\" /e:V /t:", ""),
                                                  {},
                                                  19,
                                                  {{"error.txt", kGeneralReport}}},
                                         BadInput{"a_short_slice_of_the_longest_line",
                                                  LongCommandLine("/c:\"Q\" /s:-4 /l:3 /t:", ""),
                                                  {},
                                                  0,
                                                  {{"Value.cmd", "SET RETU=xxx\r\n"}}}),
                         test_support::CaseName());

}  // namespace
}  // namespace tarvik::faults
